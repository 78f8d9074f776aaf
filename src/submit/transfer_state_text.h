#pragma once
#include <cstdint>
#include <string>

namespace sq::WinAmpMod {

// The text lblConnected shows for a state of the transfer control; numbers outside 0 to 12 give
// "Unrecognised response.".
std::string TransferStateText(int16_t state);

}  // namespace sq::WinAmpMod
