#pragma once
// The transfer control xTran as the submission run uses it: one request at a time, its state
// changes reported as they happen, the answer's body handed out in pieces afterwards.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace sq {

class Transfer {
public:
    // States raised, in the order they happen; their numbers, from 0 on, are the ones the status
    // label knows.
    enum State : int16_t {
        icNone,
        icResolvingHost,
        icHostResolved,
        icConnecting,
        icConnected,
        icRequesting,
        icRequestSent,
        icReceivingResponse,
        icResponseReceived,
        icDisconnecting,
        icDisconnected,
        icError,
        icResponseCompleted,
    };

    using StateChangedHandler = std::function<void(int16_t state)>;

    virtual ~Transfer() = default;
    // The handler must not destroy the control.
    virtual void SetStateChangedHandler(StateChangedHandler handler) = 0;
    virtual void SetURL(const std::string& url) = 0;
    // Starts `operation` on the address set before. False while another request executes; a
    // request that cannot be started at all ends at once with the error state.
    virtual bool Execute(const std::string& operation, const std::string& data, const std::string& request_headers) = 0;
    virtual bool StillExecuting() const = 0;
    // The next piece of the body, at most `size` bytes; empty once it is used up.
    virtual std::string GetChunk(std::size_t size) = 0;
    // Abandons the request without raising a state.
    virtual void Cancel() = 0;
};

}  // namespace sq
