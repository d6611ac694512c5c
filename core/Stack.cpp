// The part of Stack that does not depend on the element type.
#include "core/Stack.h"

#include "core/Fatal.h"
#include "core/String.h"

void stackPopError(const char* signature)
{
    String name;
    typeNameFromSignature(name, signature);
    fatalErrorf("Stack<%s>::pop", name.CStr());
}
