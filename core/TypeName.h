#pragma once
// The readable name of a type, for the containers' fatal messages ("Vector<String>[3] ...").
//
// Built without RTTI: the compiler's signature text of typeSignature<T>() carries the type's
// name ("... [with T = String]" with GCC, "... [T = String]" with Clang), and typeName cuts it
// out only when a message is actually made.

class String;

template <typename T>
const char* typeSignature()
{
    return __PRETTY_FUNCTION__;
}

// The name of the type in a signature of typeSignature: the text behind "T = " up to the
// closing ']' (or a ';' that starts a list of aliases) at bracket depth 0. The whole signature
// when it has no "T = ". out is replaced.
void typeNameFromSignature(String& out, const char* signature);
