#pragma once
// A parameter interval, bounded or unbounded at either end, under the host's name.
#include <limits>

class AcGeInterval {
public:
    AcGeInterval() = default; // unbounded
    AcGeInterval(double lower, double upper) { set(lower, upper); }

    double lowerBound() const { return mLower; }
    double upperBound() const { return mUpper; }
    double length() const { return isBounded() ? mUpper - mLower : -1.0; }
    bool isBounded() const { return mBoundedBelow && mBoundedAbove; }
    bool isBoundedBelow() const { return mBoundedBelow; }
    bool isBoundedAbove() const { return mBoundedAbove; }
    bool contains(double val, double tol = 1e-12) const {
        return (!mBoundedBelow || val >= mLower - tol) && (!mBoundedAbove || val <= mUpper + tol);
    }

    AcGeInterval& set(double lower, double upper) {
        mLower = lower < upper ? lower : upper;
        mUpper = lower < upper ? upper : lower;
        mBoundedBelow = mBoundedAbove = true;
        return *this;
    }
    AcGeInterval& setLower(double lower) {
        mLower = lower;
        mBoundedBelow = true;
        return *this;
    }
    AcGeInterval& setUpper(double upper) {
        mUpper = upper;
        mBoundedAbove = true;
        return *this;
    }
    AcGeInterval& set() {
        mBoundedBelow = mBoundedAbove = false;
        return *this;
    }

private:
    double mLower = -std::numeric_limits<double>::infinity();
    double mUpper = std::numeric_limits<double>::infinity();
    bool mBoundedBelow = false;
    bool mBoundedAbove = false;
};
