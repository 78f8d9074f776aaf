// xTran against the stand-in service: what goes over the wire, the states it raises, the body it
// hands out, and how it ends when the service fails it.
#include "submit/win32_transfer_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "common/win32_module.h"
#include "stand_in_service/service.h"
#include "submit/registry_override.h"
#include "submit/request.h"
#include "support/win_test_support.h"

namespace sq {
namespace {

using sqtest::ServiceScript;

class TransferControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(service_.ok()) << "the stand-in service could not listen";
        xTran_.SetStateChangedHandler([this](int16_t state) { states_.push_back(state); });
    }

    // Starts the shipped request and waits (dispatching messages) until the control is done.
    void RunRequest() { RunRequest(xTran_); }
    void RunRequest(TransferControl& control, DWORD limit_ms = 20000) {
        const protocol::Request request = protocol::BuildRequest("anna", "pw", "The Band", "Long Song");
        control.SetURL(request.address);
        ASSERT_TRUE(control.Execute("POST", "", request.headers));
        ASSERT_TRUE(sqtest::PumpMessagesUntil([&control] { return !control.StillExecuting(); }, limit_ms))
            << "the request did not end in " << limit_ms << " ms";
    }

    sqtest::StandInService service_;
    sqtest::ProxyOverride proxy_{service_.port()};
    TransferControl xTran_{TransferControl::kDefaultRequestTimeoutMs};
    std::vector<int16_t> states_;
};

TEST_F(TransferControlTest, PostsTheQueryAndTheFourHeaderLinesWithAnEmptyBody) {
    service_.Answer("Success");
    RunRequest();
    ASSERT_EQ(service_.RequestCount(), 1u);
    const sqtest::ReceivedRequest got = service_.Requests()[0];
    // Through a proxy the request line carries the whole address; WinINet may spell out port 80.
    std::string request_line = got.request_line;
    if (const size_t port = request_line.find("sonoquill.net:80/"); port != std::string::npos) request_line.erase(port + 13, 3);
    EXPECT_EQ(request_line, "POST http://www.sonoquill.net/index.php?c=anna&p=pw&art=The%20Band&trk=Long%20Song HTTP/1.1");
    // The four lines arrive intact, underscores included, and in their order.
    std::vector<std::string> ours;
    for (const std::string& line : got.headers)
        if (line.rfind("oquill_", 0) == 0) ours.push_back(line);
    EXPECT_EQ(ours, (std::vector<std::string>{"oquill_Protocol: SNQP1.0", "oquill_Client: wa", "oquill_ID: 730241",
                                              "oquill_Version: 1.0.61"}));
    EXPECT_TRUE(got.body.empty());
    EXPECT_FALSE(got.HasHeader("Content-Type"));
    EXPECT_EQ(xTran_.GetChunk(512), "Success");
    EXPECT_EQ(xTran_.GetChunk(512), "");
}

TEST_F(TransferControlTest, RaisesStatesInOrderAndEndsWithResponseCompleted) {
    service_.Answer("Success");
    RunRequest();
    ASSERT_FALSE(states_.empty());
    EXPECT_EQ(states_.back(), TransferControl::icResponseCompleted);
    for (const int16_t s : states_) {
        EXPECT_GE(s, 1);
        EXPECT_LE(s, 12);
    }
    // Connecting comes before sending, sending before receiving.
    auto first = [this](int16_t s) {
        for (size_t i = 0; i < states_.size(); ++i)
            if (states_[i] == s) return static_cast<int>(i);
        return -1;
    };
    ASSERT_NE(first(TransferControl::icConnecting), -1);
    ASSERT_NE(first(TransferControl::icRequestSent), -1);
    ASSERT_NE(first(TransferControl::icResponseReceived), -1);
    EXPECT_LT(first(TransferControl::icConnecting), first(TransferControl::icConnected));
    EXPECT_LT(first(TransferControl::icConnected), first(TransferControl::icRequesting));
    EXPECT_LT(first(TransferControl::icRequestSent), first(TransferControl::icReceivingResponse));
    EXPECT_LT(first(TransferControl::icReceivingResponse), first(TransferControl::icResponseReceived));
    EXPECT_EQ(std::count(states_.begin(), states_.end(), TransferControl::icResponseCompleted), 1);
}

TEST_F(TransferControlTest, HandsOutTheBodyInPiecesOfTheAskedSize) {
    service_.Answer("Msg abcdefgh");
    RunRequest();
    EXPECT_EQ(xTran_.GetChunk(5), "Msg a");
    EXPECT_EQ(xTran_.GetChunk(5), "bcdef");
    EXPECT_EQ(xTran_.GetChunk(5), "gh");
    EXPECT_EQ(xTran_.GetChunk(5), "");
}

// The body is not there yet when the head has come: the wait for it must not read as a failure.
TEST_F(TransferControlTest, BodyArrivingAfterTheHeadIsRead) {
    ServiceScript late_body{"200 OK", "Msg late"};
    late_body.body_delay_ms = 400;
    service_.SetScript(late_body);
    RunRequest();
    EXPECT_EQ(states_.back(), TransferControl::icResponseCompleted);
    EXPECT_EQ(xTran_.GetChunk(512), "Msg late");
}

TEST_F(TransferControlTest, TakesOneRequestAtATime) {
    ServiceScript slow{"200 OK", "Msg first"};
    slow.stall_ms = 500;
    service_.SetScript(slow);
    xTran_.SetURL(protocol::BuildAddress("a", "b", "c", "d"));
    ASSERT_TRUE(xTran_.Execute("POST", "", protocol::BuildHeaderBlock()));
    EXPECT_TRUE(xTran_.StillExecuting());
    xTran_.SetURL(protocol::BuildAddress("other", "b", "c", "d"));
    EXPECT_FALSE(xTran_.Execute("POST", "", protocol::BuildHeaderBlock()));
    ASSERT_TRUE(sqtest::PumpMessagesUntil([this] { return !xTran_.StillExecuting(); }, 20000));
    EXPECT_EQ(xTran_.GetChunk(512), "Msg first");
    ASSERT_EQ(service_.RequestCount(), 1u);
    EXPECT_NE(service_.Requests()[0].request_line.find("c=a&"), std::string::npos);
}

TEST_F(TransferControlTest, HoldsTheModuleWhileARequestIsPending) {
    ServiceScript slow{"200 OK", "Success"};
    slow.stall_ms = 300;
    service_.SetScript(slow);
    const long before = ModuleLock::Count();
    xTran_.SetURL(protocol::BuildAddress("a", "b", "c", "d"));
    ASSERT_TRUE(xTran_.Execute("POST", "", protocol::BuildHeaderBlock()));
    EXPECT_EQ(ModuleLock::Count(), before + 1);
    ASSERT_TRUE(sqtest::PumpMessagesUntil([this] { return !xTran_.StillExecuting(); }, 20000));
    // WinINet lets the request go on its own thread, just after its last report.
    EXPECT_TRUE(sqtest::PumpMessagesUntil([before] { return ModuleLock::Count() == before; }, 5000));
}

// What WinINet may still write into outlives the request that the control gave up, holding the
// module, and is freed once WinINet has let the request go (here: the service closes).
TEST_F(TransferControlTest, GivenUpRequestIsFreedOnceWinInetLetsItGo) {
    const long before = ModuleLock::Count();
    {
        sqtest::StandInService silent;
        ASSERT_TRUE(silent.ok());
        ServiceScript never;
        never.stall_ms = INFINITE;
        silent.SetScript(never);
        sqtest::ProxyOverride proxy(silent.port());
        xTran_.SetURL(protocol::BuildAddress("a", "b", "c", "d"));
        ASSERT_TRUE(xTran_.Execute("POST", "", protocol::BuildHeaderBlock()));
        ASSERT_EQ(::WaitForSingleObject(silent.request_event(), 5000), WAIT_OBJECT_0);
        xTran_.Cancel();
        EXPECT_FALSE(xTran_.StillExecuting());
        EXPECT_EQ(ModuleLock::Count(), before + 1) << "freed while WinINet still waits for the answer";
    }
    EXPECT_TRUE(sqtest::PumpMessagesUntil([before] { return ModuleLock::Count() == before; }, 10000))
        << "the given-up request was never freed";
    EXPECT_TRUE(states_.empty());
}

// Failures: each ends the request with icError, and the body is whatever could be read.
TEST_F(TransferControlTest, StallPastItsTimeOutEndsWithErrorAndNoBody) {
    ServiceScript stall{"200 OK", "Success"};
    stall.stall_ms = 6000;  // answers, but only after the control gave up
    service_.SetScript(stall);
    TransferControl quick(1500);
    quick.SetStateChangedHandler([this](int16_t state) { states_.push_back(state); });
    const ULONGLONG started = ::GetTickCount64();
    RunRequest(quick);
    const ULONGLONG took = ::GetTickCount64() - started;
    EXPECT_GE(took, 1400u);
    EXPECT_LT(took, 4000u);
    ASSERT_FALSE(states_.empty());
    EXPECT_EQ(states_.back(), TransferControl::icError);
    EXPECT_EQ(quick.GetChunk(512), "");
    // The late answer of the abandoned request reaches nothing.
    sqtest::PumpMessagesFor(300);
    EXPECT_EQ(states_.back(), TransferControl::icError);
}

TEST_F(TransferControlTest, NothingListeningEndsWithError) {
    sqtest::ProxyOverride nowhere(sqtest::UnusedPort());
    RunRequest();
    ASSERT_FALSE(states_.empty());
    EXPECT_EQ(states_.back(), TransferControl::icError);
    EXPECT_EQ(xTran_.GetChunk(512), "");
}

TEST_F(TransferControlTest, DroppedConnectionEndsWithoutABody) {
    ServiceScript drop;
    drop.drop = true;
    service_.SetScript(drop);
    RunRequest();
    ASSERT_FALSE(states_.empty());
    EXPECT_EQ(states_.back(), TransferControl::icError);
    EXPECT_EQ(xTran_.GetChunk(512), "");
}

TEST_F(TransferControlTest, MegabyteBodyIsCutAndTheRestNeverRead) {
    ServiceScript big{"200 OK", "Msg " + std::string(1020, 'x')};
    big.body_repeat = 1024;  // a little over 1 MB
    service_.SetScript(big);
    RunRequest();
    EXPECT_EQ(states_.back(), TransferControl::icResponseCompleted);
    const std::string piece = xTran_.GetChunk(512);
    EXPECT_EQ(piece, "Msg " + std::string(508, 'x'));
    EXPECT_LE(piece.size() + xTran_.GetChunk(1 << 24).size(), TransferControl::kBodyLimit);
}

TEST_F(TransferControlTest, ErrorStatusStillHandsOutItsPage) {
    service_.SetScript(ServiceScript{"500 Internal Server Error", "<html><body>Broken</body></html>"});
    RunRequest();
    EXPECT_EQ(xTran_.GetChunk(512), "<html><body>Broken</body></html>");
}

TEST_F(TransferControlTest, AddressThatIsNotHttpEndsAtOnceWithError) {
    xTran_.SetURL("ftp://www.sonoquill.net/index.php");
    EXPECT_TRUE(xTran_.Execute("POST", "", protocol::BuildHeaderBlock()));
    EXPECT_FALSE(xTran_.StillExecuting());
    EXPECT_EQ(states_, std::vector<int16_t>{TransferControl::icError});
    EXPECT_EQ(service_.RequestCount(), 0u);
}

// An open that fails after WinINet made a handle, which it keeps with the context it was handed and
// the control's callback: WinINet reports such a handle after the open has returned (Wine as the
// control closes its connection), through that callback and with that context.
struct DroppedHandle {
    HINTERNET handle;
    DWORD_PTR context;
    INTERNET_STATUS_CALLBACK callback;
} g_dropped;

HINTERNET WINAPI OpenThatDropsItsHandle(HINTERNET connection, LPCSTR verb, LPCSTR object, LPCSTR version,
                                        LPCSTR referrer, LPCSTR* accept_types, DWORD flags, DWORD_PTR context) {
    g_dropped.handle = ::HttpOpenRequestA(connection, verb, object, version, referrer, accept_types, flags, context);
    g_dropped.context = context;
    g_dropped.callback = ::InternetSetStatusCallback(connection, nullptr);
    ::InternetSetStatusCallback(connection, g_dropped.callback);
    return nullptr;
}

// The request ends at once and is freed with the failure; the dropped handle holds none of it, so
// its late reports touch nothing.
TEST_F(TransferControlTest, FailedOpenEndsWithErrorAndItsDroppedHandleReachesNothing) {
    const long before = ModuleLock::Count();
    TransferControl failing(TransferControl::kDefaultRequestTimeoutMs, &OpenThatDropsItsHandle);
    failing.SetStateChangedHandler([this](int16_t state) { states_.push_back(state); });
    failing.SetURL(protocol::BuildAddress("a", "b", "c", "d"));
    EXPECT_TRUE(failing.Execute("POST", "", protocol::BuildHeaderBlock()));
    EXPECT_FALSE(failing.StillExecuting());
    EXPECT_EQ(states_, std::vector<int16_t>{TransferControl::icError});
    EXPECT_EQ(ModuleLock::Count(), before) << "the failed request was not freed";
    ASSERT_NE(g_dropped.handle, nullptr);
    ASSERT_EQ(g_dropped.context, 0u) << "WinINet was handed the request's memory, which the failure freed";
    ASSERT_TRUE(g_dropped.callback && g_dropped.callback != INTERNET_INVALID_STATUS_CALLBACK);
    // The reports of a closing handle, as a WinINet that reports handles without a context makes them.
    const DWORD closing[] = {INTERNET_STATUS_CLOSING_CONNECTION, INTERNET_STATUS_CONNECTION_CLOSED,
                             INTERNET_STATUS_HANDLE_CLOSING};
    for (const DWORD status : closing) g_dropped.callback(g_dropped.handle, g_dropped.context, status, nullptr, 0);
}

TEST_F(TransferControlTest, DestroyedWhilePendingLetsNoReportReachIt) {
    ServiceScript slow{"200 OK", "Success"};
    slow.stall_ms = 300;
    service_.SetScript(slow);
    const long before = ModuleLock::Count();
    std::vector<int16_t> late_states;
    {
        auto control = std::make_unique<TransferControl>(TransferControl::kDefaultRequestTimeoutMs);
        control->SetStateChangedHandler([&late_states](int16_t s) { late_states.push_back(s); });
        control->SetURL(protocol::BuildAddress("a", "b", "c", "d"));
        ASSERT_TRUE(control->Execute("POST", "", protocol::BuildHeaderBlock()));
        ::WaitForSingleObject(service_.request_event(), 5000);
        sqtest::PumpMessagesFor(20);
        late_states.clear();
    }
    // The service answers after the control is gone; its reports must go nowhere, and the
    // request is freed once WinINet has them behind it.
    sqtest::PumpMessagesFor(1000);
    EXPECT_TRUE(late_states.empty());
    EXPECT_TRUE(sqtest::PumpMessagesUntil([before] { return ModuleLock::Count() == before; }, 10000));
    // And the next control works as usual.
    service_.Answer("Success");
    RunRequest();
    EXPECT_EQ(xTran_.GetChunk(512), "Success");
}

}  // namespace
}  // namespace sq
