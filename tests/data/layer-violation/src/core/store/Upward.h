#pragma once

// The store reaching up into the document: the layer check must refuse this.
#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
