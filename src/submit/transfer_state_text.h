#pragma once
#include <cstdint>
#include <string>

namespace sq {

// The text lblConnected shows for a state of the transfer control (Transfer::State); any other
// number gives "Unrecognised response.".
std::string TransferStateText(int16_t state);

}  // namespace sq
