#include "editor/ShapeCategory.h"

namespace
{
void AppendShapes(ShapeCategory& category, const ShapeCategoryRange& range)
{
    for (uint32_t index = range.first; index <= range.last; ++index)
        category.entries.emplace_back(index);
}
}

int32_t ShapeCategory::EntryCount() const
{
    int32_t count = static_cast<int32_t>(entries.size());
    for (const std::unique_ptr<ShapeCategory>& child : children)
        count += static_cast<int32_t>(child->entries.size());
    return count;
}

void BuildShapeCategoryTree(ShapeCategory& root)
{
    const std::span<const ShapeCategoryRange> ranges = ShapeCategories();
    if (ranges.empty())
        return;
    AppendShapes(root, ranges.front());
    for (const ShapeCategoryRange& range : ranges.subspan(1))
    {
        auto child = std::make_unique<ShapeCategory>(range.name, root.EntryCount());
        AppendShapes(*child, range);
        root.children.push_back(std::move(child));
    }
}
