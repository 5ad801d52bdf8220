// The platform's lower-casing and the end of the process.
#include <windows.h>

#include "lock/SecretText.h"
#include "platform/win32/Backend.h"

namespace ui {

SecretText lower_case(const SecretText& text) {
    char buffer[SecretText::kCapacity + 1] = {};
    text.view().copy(buffer, SecretText::kCapacity);
    // The system's own conversion, in the code page in which the edit
    // control stores the characters it counts.
    CharLowerA(buffer);
    SecretText result(std::string_view(buffer, text.size()));
    WipeBytes(buffer, sizeof buffer);
    return result;
}

void keep_in_memory(const void* data, std::size_t size) {
    VirtualLock(const_cast<void*>(data), size);
}

void end_program(int status) { ExitProcess(static_cast<UINT>(status)); }

}  // namespace ui
