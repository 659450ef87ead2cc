#pragma once

// The mouse pointer of the whole program ("screen" pointer): 0 the default,
// 11 the hourglass.
void setScreenMousePointer(int pointer);
int screenMousePointer();

// Shows the hourglass for its lifetime and always takes it away again.
class HourglassPointer
{
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer &) = delete;
    HourglassPointer &operator=(const HourglassPointer &) = delete;

private:
    bool m_set = false;
};
