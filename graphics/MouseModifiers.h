#pragma once

// The buttons and keys held with a mouse event.
struct MouseModifiers
{
    bool left = false;
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;

    // Fine adjustment in knobs, faders and wheels.
    bool Fine() const { return shift || control; }
};
