#pragma once

#include "graphics/IControl.h"

#include <string>
#include <vector>

// A control that records every call it receives as a short text, and counts its draws.
class ProbeControl : public IControl
{
public:
    ProbeControl(IEffectBase* plug, const Rect& rect, int paramIndex = -1) : IControl(plug, rect, paramIndex) {}

    void OnMouseDown(int x, int y, const MouseModifiers*) override { Log("down", x, y); }
    void OnMouseUp(int x, int y, const MouseModifiers*) override { Log("up", x, y); }
    void OnMouseDrag(int, int, int dx, int dy, const MouseModifiers*) override { Log("drag", dx, dy); }
    void OnMouseDoubleClick(int x, int y, const MouseModifiers*) override { Log("double", x, y); }
    void OnMouseWheel(int, int, const MouseModifiers*, int notches) override { Log("wheel", notches, 0); }
    bool OnKeyDown(int, int, int code) override
    {
        Log("key", code, 0);
        return takesKeys;
    }
    void OnMouseOver(int x, int y, const MouseModifiers*) override { Log("over", x, y); }
    void OnMouseOut() override { calls.push_back("out"); }
    bool Draw(IGraphics*) override
    {
        ++draws;
        return true;
    }

    std::vector<std::string> calls;
    int draws = 0;
    bool takesKeys = false;

private:
    void Log(const char* what, int a, int b)
    {
        calls.push_back(std::string(what) + " " + std::to_string(a) + "," + std::to_string(b));
    }
};
