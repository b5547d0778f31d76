#pragma once
// An object's handle: a 64-bit number unique within its database, written as
// upper-case hexadecimal text without leading zeros ("1F").
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

class AcDbHandle {
public:
    AcDbHandle() = default;
    template <typename T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
    AcDbHandle(T value) : m_value(uint64_t(value)) {}
    AcDbHandle(int lo, int hi) : m_value((uint64_t(uint32_t(hi)) << 32) | uint32_t(lo)) {}
    // Parses hexadecimal text; text that is not a handle gives the null handle.
    explicit AcDbHandle(const wchar_t* hexText);

    AcDbHandle& operator=(uint64_t value) {
        m_value = value;
        return *this;
    }
    // The same parse as the constructor; returns *this.
    AcDbHandle& operator=(const wchar_t* hexText);

    bool isNull() const { return m_value == 0; }
    void setNull() { m_value = 0; }
    uint32_t low() const { return uint32_t(m_value & 0xFFFFFFFFu); }
    uint32_t high() const { return uint32_t(m_value >> 32); }
    void setLow(uint32_t lo) { m_value = (m_value & 0xFFFFFFFF00000000ull) | lo; }
    void setHigh(uint32_t hi) { m_value = (uint64_t(hi) << 32) | low(); }
    operator uint64_t() const { return m_value; }
    uint64_t value() const { return m_value; }

    void increment() { ++m_value; }
    void decrement() { --m_value; }
    AcDbHandle& operator++() {
        ++m_value;
        return *this;
    }
    AcDbHandle operator++(int) {
        AcDbHandle old = *this;
        ++m_value;
        return old;
    }
    AcDbHandle operator+(const AcDbHandle& other) const { return AcDbHandle(m_value + other.m_value); }
    AcDbHandle operator-(const AcDbHandle& other) const { return AcDbHandle(m_value - other.m_value); }

    bool operator==(const AcDbHandle& other) const { return m_value == other.m_value; }
    bool operator!=(const AcDbHandle& other) const { return m_value != other.m_value; }
    bool operator<(const AcDbHandle& other) const { return m_value < other.m_value; }
    bool operator>(const AcDbHandle& other) const { return m_value > other.m_value; }
    bool operator<=(const AcDbHandle& other) const { return m_value <= other.m_value; }
    bool operator>=(const AcDbHandle& other) const { return m_value >= other.m_value; }

    // The hexadecimal text into `buffer` (17 characters suffice); false when it does not fit.
    bool getIntoAsciiBuffer(wchar_t* buffer, size_t bufferLength = 17) const;
    std::wstring text() const;
    // Strict parse: 1 to 16 hexadecimal digits, nothing else. False leaves `out` unchanged.
    static bool fromText(const wchar_t* text, AcDbHandle& out);

    void copyToOldType(unsigned char hand[8]) const;
    void copyFromOldType(const unsigned char hand[8]);

private:
    uint64_t m_value = 0;
};

template <>
struct std::hash<AcDbHandle> {
    size_t operator()(const AcDbHandle& h) const noexcept { return std::hash<uint64_t>()(h.value()); }
};
