// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comment window's running text, as the game logic writes to it.
#include <string>

namespace quarvelin {

class Commentary {
public:
    virtual ~Commentary() = default;
    // Whether the comment window is shown (its menu item ticked); nothing is written otherwise.
    virtual bool visible() const = 0;
    // Appends text and scrolls to the end.
    virtual void append(const std::string& text) = 0;
    // Puts text in front of what is there (the engine's thinking).
    virtual void prepend(const std::string& text) = 0;
    virtual void clear() = 0;
};

} // namespace quarvelin
