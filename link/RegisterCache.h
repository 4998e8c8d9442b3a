#pragma once

#include <array>

// Last known values of registers 1..N. -1 marks a value the controller sent
// that was not a whole number; slots never written hold 0.
template <int N>
class RegisterCache {
public:
    static constexpr int size = N;

    // Value of register r, or -1 for a register outside 1..N.
    int value(int r) const { return inRange(r) ? m_slots[r] : -1; }
    int operator[](int r) const { return value(r); }

    void set(int r, int v)
    {
        if (inRange(r))
            m_slots[r] = v;
    }

    static constexpr bool inRange(int r) { return r >= 1 && r <= N; }

private:
    std::array<int, N + 1> m_slots{};
};
