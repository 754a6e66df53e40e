# Common compile settings for every target of the project.
add_library(vardo_options INTERFACE)
add_library(Vardo::Options ALIAS vardo_options)
target_compile_features(vardo_options INTERFACE cxx_std_20)
target_compile_options(vardo_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wimplicit-fallthrough -Wno-missing-field-initializers)
if(VARDO_WERROR)
    target_compile_options(vardo_options INTERFACE -Werror)
endif()
if(VARDO_SANITIZE)
    target_compile_options(vardo_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
    target_link_options(vardo_options INTERFACE -fsanitize=address,undefined)
endif()

# vardo_core_module(NAME [DEPENDS libs...] [PRIVATE_DEPENDS libs...]) declares one static library of the core
# layer made of every .cpp file in the calling directory.
function(vardo_core_module name)
    cmake_parse_arguments(ARG "" "" "DEPENDS;PRIVATE_DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources MATCHES "\\.cpp")
        message(FATAL_ERROR "core module '${name}' has no sources in ${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
    add_library(vardo_core_${name} STATIC ${sources})
    add_library(Vardo::Core::${name} ALIAS vardo_core_${name})
    target_include_directories(vardo_core_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vardo_core_${name} PUBLIC ${ARG_DEPENDS} PRIVATE vardo_options ${ARG_PRIVATE_DEPENDS})
    set_property(GLOBAL APPEND PROPERTY VARDO_CORE_MODULES vardo_core_${name})
endfunction()

# vardo_test(NAME [GUI] LIBS ...) declares one GoogleTest executable, made of every .cpp file in the calling
# directory, registered with CTest.
function(vardo_test name)
    cmake_parse_arguments(ARG "GUI" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(NOT sources MATCHES "\\.cpp")
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE vardo_options vardo_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE vardo_gui_test_main)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VARDO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT "VARDO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    endif()
endfunction()

# Fuzzing builds instrument all project code for coverage and check it with the sanitizers.
if(VARDO_BUILD_FUZZ)
    target_compile_options(vardo_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(vardo_options INTERFACE -fsanitize=address,undefined)
endif()
