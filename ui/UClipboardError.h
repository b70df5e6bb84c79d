#pragma once

#include <stdexcept>

// Raised when there is no clipboard to copy to; the application's error box
// shows it.
class EClipboardError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
