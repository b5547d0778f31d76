#pragma once
// The host's growable array: the interface the module's code uses (length,
// append, at, removeAt, find ...) over a std::vector. Indices out of range are
// refused without touching memory: at() of a bad index returns a static default
// element, removeAt/insertAt/setAt leave the array as it was.
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <algorithm>
#include <utility>
#include <vector>

template <typename T>
class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int physicalLength, int growLength = 8) {
        if (physicalLength > 0) m_v.reserve(size_t(physicalLength));
    }
    AcArray(std::initializer_list<T> items) : m_v(items) {}

    int length() const { return int(m_v.size()); }
    int logicalLength() const { return int(m_v.size()); }
    int physicalLength() const { return int(m_v.capacity()); }
    bool isEmpty() const { return m_v.empty(); }
    int growLength() const { return 8; }
    AcArray& setGrowLength(int) { return *this; }
    AcArray& setPhysicalLength(int n) {
        if (n > 0) m_v.reserve(size_t(n));
        return *this;
    }
    // Grows with default elements or cuts.
    AcArray& setLogicalLength(int n) {
        m_v.resize(n > 0 ? size_t(n) : 0);
        return *this;
    }

    bool isValid(int i) const { return i >= 0 && i < length(); }
    T& at(int i) { return isValid(i) ? m_v[size_t(i)] : outOfRange(); }
    const T& at(int i) const { return isValid(i) ? m_v[size_t(i)] : outOfRange(); }
    T& operator[](int i) { return at(i); }
    const T& operator[](int i) const { return at(i); }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(length() - 1); }
    const T& last() const { return at(length() - 1); }
    AcArray& setAt(int i, const T& value) {
        if (isValid(i)) m_v[size_t(i)] = value;
        return *this;
    }

    int append(const T& value) {
        m_v.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        m_v.insert(m_v.end(), other.m_v.begin(), other.m_v.end());
        return *this;
    }
    AcArray& insertAt(int i, const T& value) {
        if (i >= 0 && i <= length()) m_v.insert(m_v.begin() + i, value);
        return *this;
    }
    AcArray& removeAt(int i) {
        if (isValid(i)) m_v.erase(m_v.begin() + i);
        return *this;
    }
    bool remove(const T& value, int start = 0) {
        int i = -1;
        if (!find(value, i, start)) return false;
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { return removeAt(length() - 1); }
    AcArray& removeAll() {
        m_v.clear();
        return *this;
    }
    AcArray& removeSubArray(int start, int end) {
        if (isValid(start) && isValid(end) && start <= end) m_v.erase(m_v.begin() + start, m_v.begin() + end + 1);
        return *this;
    }

    bool contains(const T& value, int start = 0) const { return findFrom(value, start) >= 0; }
    bool find(const T& value, int& foundAt, int start = 0) const {
        int i = findFrom(value, start);
        if (i < 0) return false;
        foundAt = i;
        return true;
    }
    int find(const T& value) const { return findFrom(value, 0); }
    int findFrom(const T& value, int start) const {
        for (int i = std::max(start, 0); i < length(); ++i)
            if (m_v[size_t(i)] == value) return i;
        return -1;
    }

    AcArray& reverse() {
        std::reverse(m_v.begin(), m_v.end());
        return *this;
    }
    AcArray& swap(int i1, int i2) {
        if (isValid(i1) && isValid(i2)) std::swap(m_v[size_t(i1)], m_v[size_t(i2)]);
        return *this;
    }

    T* asArrayPtr() { return m_v.data(); }
    const T* asArrayPtr() const { return m_v.data(); }

    bool operator==(const AcArray& other) const { return m_v == other.m_v; }
    bool operator!=(const AcArray& other) const { return !(m_v == other.m_v); }

    // For range-for in host code and tests.
    typename std::vector<T>::iterator begin() { return m_v.begin(); }
    typename std::vector<T>::iterator end() { return m_v.end(); }
    typename std::vector<T>::const_iterator begin() const { return m_v.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_v.end(); }

private:
    static T& outOfRange() {
        // A fresh default on every bad access, so a write through it is harmless.
        static T dummy;
        dummy = T();
        return dummy;
    }
    std::vector<T> m_v;
};

typedef AcArray<AcGePoint3d> AcGePoint3dArray;
typedef AcArray<AcGePoint2d> AcGePoint2dArray;
typedef AcArray<AcGeVector3d> AcGeVector3dArray;
typedef AcArray<double> AcGeDoubleArray;
typedef AcArray<int> AcGeIntArray;
typedef AcArray<int> AcDbIntArray;
typedef AcArray<void*> AcDbVoidPtrArray;
typedef AcArray<double> AcDbDoubleArray;
