#pragma once
// Liveness for things that can die before whoever refers to them.
//
// Every GameObject and Component carries a Lifetime. A Handle<T> remembers the
// pointer and watches the lifetime; Get() returns null once the thing is gone.
// Copying a Lifetime (Clone) gives the copy a lifetime of its own.
#include <memory>

class Lifetime {
public:
    Lifetime() : token_(std::make_shared<char>(0)) {}
    Lifetime(const Lifetime&) : token_(std::make_shared<char>(0)) {}
    Lifetime& operator=(const Lifetime&) { return *this; }

    std::weak_ptr<const char> Watch() const { return token_; }

private:
    std::shared_ptr<const char> token_;
};

template <typename T>
class Handle {
public:
    Handle() = default;
    Handle(std::nullptr_t) {}
    // T must expose `const Lifetime& GetLifetime() const` (GameObject and Component do).
    Handle(T* target) : ptr_(target), watch_(target ? target->GetLifetime().Watch() : std::weak_ptr<const char>()) {}

    T* Get() const { return (ptr_ && !watch_.expired()) ? ptr_ : nullptr; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }
    void Reset() { *this = Handle(); }

    // True when the handle was given this exact pointer (alive or not).
    bool Refers(const T* target) const { return ptr_ == target; }

private:
    T* ptr_ = nullptr;
    std::weak_ptr<const char> watch_;
};
