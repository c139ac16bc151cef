#pragma once
// Reading a folder tree's levels in tests.

#include "browse/FolderTree.h"

#include <string>
#include <vector>

namespace tessaro::testing {

inline std::vector<std::string> ChildTexts(const FolderNode& node)
{
    std::vector<std::string> texts;
    for (const auto& child : node.children) {
        texts.push_back(child->text);
    }
    return texts;
}

inline const FolderNode* ChildNamed(const FolderNode& node, const std::string& text)
{
    for (const auto& child : node.children) {
        if (child->text == text) {
            return child.get();
        }
    }
    return nullptr;
}

} // namespace tessaro::testing
