#include "submit/transfer_state_text.h"

namespace sq::WinAmpMod {

std::string TransferStateText(int16_t state) {
    static constexpr const char* kTexts[] = {
        "Idle.",          "Checking Address.",   "Address Accepted.",  "Connecting.",   "Connected.",
        "Requesting Data.", "Request Sent.",     "Receiving Response.", "Response Recieved.",
        "Disconnecting.", "Disconnected.",       "Error.",             "Response Completed.",
    };
    constexpr int16_t kCount = static_cast<int16_t>(sizeof kTexts / sizeof kTexts[0]);
    if (state < 0 || state >= kCount) return "Unrecognised response.";
    return kTexts[state];
}

}  // namespace sq::WinAmpMod
