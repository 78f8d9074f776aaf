#include "submit/transfer_state_text.h"

#include <gtest/gtest.h>

namespace sq {
namespace {

TEST(TransferStateText, EveryStateHasItsText) {
    const std::pair<int16_t, const char*> rows[] = {
        {0, "Idle."},           {1, "Checking Address."},   {2, "Address Accepted."}, {3, "Connecting."},
        {4, "Connected."},      {5, "Requesting Data."},    {6, "Request Sent."},     {7, "Receiving Response."},
        {8, "Response Recieved."}, {9, "Disconnecting."},   {10, "Disconnected."},    {11, "Error."},
        {12, "Response Completed."}, {13, "Unrecognised response."}, {-1, "Unrecognised response."},
        {INT16_MIN, "Unrecognised response."}, {INT16_MAX, "Unrecognised response."},
    };
    for (const auto& [state, text] : rows) EXPECT_EQ(TransferStateText(state), text) << state;
}

}  // namespace
}  // namespace sq
