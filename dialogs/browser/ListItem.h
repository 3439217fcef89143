#pragma once

#include <string>

class CLVItemView;

// A row of a browser list: its text and its view. The concrete lists add
// what the row stands for; the list owns the record from the moment the
// row is added.
struct CListItem {
    virtual ~CListItem() = default;
    std::string text;
    CLVItemView* view = nullptr;
};
