#pragma once
// The frame counter behind the animated strip picture: which image of a horizontal strip is
// shown. Frame 0 is the resting image; once stepping starts, frames 1 to count - 1 repeat, so
// the resting image never reappears in the cycle. Kept apart from the window so that the
// stepping can be driven and checked without a timer.
class CStripFrameStepper {
public:
    // Sets the number of images in the strip and goes back to the resting frame.
    void SetCount(int nCount);
    int GetCount() const { return m_nCount; }
    int GetFrame() const { return m_nFrame; }
    void Reset() { m_nFrame = 0; }

    // One step: frame = frame mod (count - 1) + 1. A strip of fewer than two images has no
    // cycle to run through and stays on frame 0 (the formula would divide by zero).
    void Step();

private:
    int m_nCount = 0;
    int m_nFrame = 0;
};
