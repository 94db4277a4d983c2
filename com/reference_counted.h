// IUnknown's AddRef and Release for a COM object that implements `Interfaces` on one identity
// and deletes itself when the last reference goes. The count is interlocked: DirectMusic and
// the program take and give back references on any thread.
//
// The object starts with one reference, its creator's, and is never copied. Its destructor stays
// private, so that only Release deletes it; the virtual destructor here reaches it.
#pragma once

#include <windows.h>

template <typename... Interfaces>
class ReferenceCounted : public Interfaces... {
public:
    STDMETHOD_(ULONG, AddRef)() override { return InterlockedIncrement(&references); }
    STDMETHOD_(ULONG, Release)() override {
        ULONG left = InterlockedDecrement(&references);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    ReferenceCounted(const ReferenceCounted&) = delete;
    ReferenceCounted& operator=(const ReferenceCounted&) = delete;

protected:
    ReferenceCounted() = default;
    virtual ~ReferenceCounted() = default;

private:
    LONG references = 1;
};
