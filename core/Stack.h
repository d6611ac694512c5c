#pragma once
// Stack: a Vector used from its end.

#include "core/TypeName.h"
#include "core/Vector.h"

// Reports a pop from an empty Stack through fatalErrorf ("Stack<type>::pop"). Never returns.
[[noreturn]] void stackPopError(const char* signature);

template <typename T>
class Stack {
public:
    int Count() const { return items_.Count(); }
    bool IsEmpty() const { return items_.IsEmpty(); }

    // Puts value on top.
    void Push(const T& value) { items_.Append(value); }
    // Removes and returns the top element; fatal "Stack<type>::pop" when the stack is empty.
    T Pop()
    {
        if (items_.IsEmpty())
            stackPopError(typeSignature<T>());
        T top(static_cast<T&&>(items_.Last()));
        items_.RemoveAt(items_.Count() - 1);
        return top;
    }
    // The top element; on an empty stack, the fatal Vector index error.
    T& Peek() { return items_.Last(); }
    const T& Peek() const { return items_.Last(); }
    // Removes every element.
    void Clear() { items_.Clear(); }

private:
    Vector<T> items_;
};
