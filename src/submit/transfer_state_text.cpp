#include "submit/transfer_state_text.h"

#include <utility>

#include "submit/transfer.h"

namespace sq {
namespace {

constexpr std::pair<Transfer::State, const char*> kStateTexts[] = {
    {Transfer::icNone, "Idle."},
    {Transfer::icResolvingHost, "Checking Address."},
    {Transfer::icHostResolved, "Address Accepted."},
    {Transfer::icConnecting, "Connecting."},
    {Transfer::icConnected, "Connected."},
    {Transfer::icRequesting, "Requesting Data."},
    {Transfer::icRequestSent, "Request Sent."},
    {Transfer::icReceivingResponse, "Receiving Response."},
    {Transfer::icResponseReceived, "Response Recieved."},  // "Recieved": kept as the window has always shown it
    {Transfer::icDisconnecting, "Disconnecting."},
    {Transfer::icDisconnected, "Disconnected."},
    {Transfer::icError, "Error."},
    {Transfer::icResponseCompleted, "Response Completed."},
};

}  // namespace

std::string TransferStateText(int16_t state) {
    for (const auto& [key, text] : kStateTexts) {
        if (key == state) return text;
    }
    return "Unrecognised response.";
}

}  // namespace sq
