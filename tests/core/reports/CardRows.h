#pragma once

// Reading the rows of a record card drawn on the recording canvas.

#include <algorithm>
#include <string>
#include <vector>

#include "core/reports/RecordingCanvas.h"

namespace vardo::test {

/// A row label; "YYYY    month" may have been drawn with one blank where four do not fit.
inline const RecordingCanvas::TextItem* FindCardLabel(const RecordingCanvas& canvas, const std::string& label) {
    if (const auto* item = canvas.Find(label))
        return item;
    const auto gap = label.find("    ");
    return gap == std::string::npos ? nullptr : canvas.Find(label.substr(0, gap) + " " + label.substr(gap + 4));
}

/// Every text drawn on the row whose label is `label`, left to right.
inline std::vector<std::string> CardRow(const RecordingCanvas& canvas, const std::string& label) {
    const RecordingCanvas::TextItem* anchor = FindCardLabel(canvas, label);
    if (anchor == nullptr)
        return {"<no row " + label + ">"};
    std::vector<const RecordingCanvas::TextItem*> items;
    for (const auto& item : canvas.Texts())
        if (item.y == anchor->y && &item != anchor)
            items.push_back(&item);
    std::sort(items.begin(), items.end(), [](auto* a, auto* b) { return a->x < b->x; });
    std::vector<std::string> texts;
    for (auto* item : items)
        texts.push_back(item->text);
    return texts;
}

} // namespace vardo::test
