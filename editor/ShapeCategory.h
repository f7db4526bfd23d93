#pragma once

#include "editor/ShapeEntry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A heading of the curve menu with its shapes and, for the root, its submenus (one level).
// The id of a submenu is the position at which the menu adds its item: the number of shapes
// listed before it, which is also the index of its first shape.
class ShapeCategory
{
public:
    ShapeCategory(std::string name, int32_t id) : name(std::move(name)), id(id) {}

    // The shapes of this category and of its children.
    int32_t EntryCount() const;

    std::string name;
    int32_t id;
    std::vector<ShapeEntry> entries;
    std::vector<std::unique_ptr<ShapeCategory>> children;
};

// Fills a root named "Basic Section" with id 0: its own shapes 0-14, then one child for each
// further heading of the catalogue, in order.
void BuildShapeCategoryTree(ShapeCategory& root);
