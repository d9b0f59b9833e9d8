// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holds one reference on a CBaseObject-like object (anything with remember/forget).
#include <utility>

namespace VSTGUI {

template <class T>
class SharedPointer
{
public:
    SharedPointer () = default;
    // Takes a new reference unless told to adopt the caller's (remember = false).
    SharedPointer (T* p, bool remember = true) : ptr (p)
    {
        if (ptr && remember)
            ptr->remember ();
    }
    SharedPointer (const SharedPointer& other) : SharedPointer (other.ptr) {}
    template <class U>
    SharedPointer (const SharedPointer<U>& other) : SharedPointer (other.get ())
    {}
    SharedPointer (SharedPointer&& other) noexcept : ptr (std::exchange (other.ptr, nullptr)) {}
    ~SharedPointer ()
    {
        if (ptr)
            ptr->forget ();
    }

    SharedPointer& operator= (const SharedPointer& other) { return *this = other.ptr; }
    SharedPointer& operator= (SharedPointer&& other) noexcept
    {
        if (this != &other)
        {
            if (ptr)
                ptr->forget ();
            ptr = std::exchange (other.ptr, nullptr);
        }
        return *this;
    }
    SharedPointer& operator= (T* p)
    {
        if (p != ptr)
        {
            if (p)
                p->remember ();
            if (ptr)
                ptr->forget ();
            ptr = p;
        }
        return *this;
    }

    T* get () const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator* () const { return *ptr; }
    operator T* () const { return ptr; }
    explicit operator bool () const { return ptr != nullptr; }

    template <class U>
    SharedPointer<U> cast () const
    {
        return SharedPointer<U> (dynamic_cast<U*> (ptr));
    }

private:
    T* ptr {nullptr};
};

// Wraps a freshly made object, adopting its initial reference.
template <class T>
SharedPointer<T> owned (T* p)
{
    return SharedPointer<T> (p, false);
}

template <class T, class... Args>
SharedPointer<T> makeOwned (Args&&... args)
{
    return SharedPointer<T> (new T (std::forward<Args> (args)...), false);
}

}   // namespace VSTGUI
