// A TWAIN connection against the fake source manager of the test tree: the calls it makes, the
// states it goes through, the pictures it receives, and what it does when a transfer fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_twain.h"
#include "twain_session.h"

namespace {

class RecordingTwain : public CTwain {
 public:
  std::vector<int> pictureHeights;
  std::vector<int> errors;

 protected:
  void OnImageReceived(HGLOBAL dib) override {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib));
    pictureHeights.push_back(header->biHeight);
    ::GlobalUnlock(dib);
    CTwain::OnImageReceived(dib);
  }
  void OnError(int code) override { errors.push_back(code); }
};

// The program's message loop in small: every message goes to the connection first.
void PumpUntil(RecordingTwain& twain, const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  while (!done() && ::GetTickCount() - start < 20000) {
    MSG message;
    if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      continue;
    }
    if (!twain.ProcessMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
}

class TwainConnection : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fake_ = new InstalledFakeTwain; }
  static void TearDownTestSuite() {
    delete fake_;
    fake_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(fake_->Installed());
    window_ = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    twain_.CloseSourceManager(window_);
    twain_.UnloadSourceManager();
    ::DestroyWindow(window_);
  }
  static InstalledFakeTwain* fake_;
  HWND window_ = nullptr;
  RecordingTwain twain_;
};

InstalledFakeTwain* TwainConnection::fake_ = nullptr;

TEST_F(TwainConnection, TheIdentityReachesTheManagerWithEveryTextCutToThirtyTwoCharacters) {
  ASSERT_TRUE(twain_.IsAvailable());
  EXPECT_EQ(twain_.GetState(), 2);
  const std::string longName(40, 'N');
  twain_.SetIdentity(5, 2, 13, 1, "Version 5.2", "Ashgrove Software", "Vireldan image browser", longName.c_str());
  ASSERT_TRUE(twain_.OpenSourceManager(window_));
  EXPECT_EQ(twain_.GetState(), 3);
  EXPECT_EQ(FakeTwainLog(), std::vector<std::string>{"OPENDSM " + std::string(32, 'N') +
                                                     "|Ashgrove Software|Vireldan image browser|Version 5.2 5.2 "
                                                     "protocol 1.6 groups 3 parent"});
}

TEST_F(TwainConnection, SelectingASourceAsksTheManagerAndLeavesTheStateAsItWas) {
  ASSERT_TRUE(twain_.OpenSourceManager(window_));
  WriteScanScript({});
  EXPECT_TRUE(twain_.SelectSource(window_));
  EXPECT_EQ(twain_.GetState(), 3);
  EXPECT_EQ(FakeTwainLog(), (std::vector<std::string>{"GETDEFAULT", "USERSELECT"}));
}

// A manager that cannot be opened (0), a source that cannot be opened (1) or enabled (2) is told
// by its code, and the connection drops back to the state it had before the command.
struct RefusalCase {
  const char* name;
  bool managerOpen;  // the command starts from state 3, else below it
  bool select;       // Select Source, else Acquire
  ScanScript script;
  std::vector<std::string> calls;
  int error;
};

class Refusing : public TwainConnection, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusing, TellsTheErrorAndDropsBackToTheStateBefore) {
  const RefusalCase& c = GetParam();
  ASSERT_TRUE(twain_.IsAvailable());
  WriteScanScript({});
  if (c.managerOpen) ASSERT_TRUE(twain_.OpenSourceManager(window_));
  const int before = twain_.GetState();
  WriteScanScript(c.script);
  EXPECT_FALSE(c.select ? twain_.SelectSource(window_) : twain_.Acquire(window_));
  EXPECT_EQ(twain_.errors, std::vector<int>{c.error});
  EXPECT_EQ(twain_.GetState(), before);
  EXPECT_EQ(FakeTwainLog(), c.calls);
}

const RefusalCase kRefusalCases[] = {
    {"AcquireWithoutTheManager", false, false, {0, 0, 0, 1, 0, 1}, {"OPENDSM failed"}, CTwain::kManagerNotOpened},
    {"SelectWithoutTheManager", false, true, {0, 0, 0, 1, 0, 1}, {"OPENDSM failed"}, CTwain::kManagerNotOpened},
    {"NoSource", true, false, {0, 0, 0, 1, 0, 0, 1}, {"OPENDS failed"}, CTwain::kSourceNotOpened},
    {"SourceNotEnabled", true, false, {0, 0, 0, 1, 0, 0, 0, 1}, {"OPENDS", "ENABLEDS failed", "CLOSEDS"},
     CTwain::kSourceNotEnabled},
};

INSTANTIATE_TEST_SUITE_P(Script, Refusing, ::testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AcquireCase {
  const char* name;
  ScanScript script;
  std::vector<std::string> calls;  // after the manager was opened
  std::vector<int> pictures;       // their heights: every delivered picture is 30 high
  std::vector<int> errors;
  int endState;
};

class Acquiring : public TwainConnection, public ::testing::WithParamInterface<AcquireCase> {};

TEST_P(Acquiring, PullsThePicturesAndEndsTheTransfersAsTheSourceAnswers) {
  const AcquireCase& c = GetParam();
  ASSERT_TRUE(twain_.OpenSourceManager(window_));
  WriteScanScript(c.script);
  ASSERT_TRUE(twain_.Acquire(window_));
  EXPECT_GE(twain_.GetState(), 5);
  PumpUntil(twain_, [&] { return twain_.GetState() == c.endState && FakeTwainLog().size() >= c.calls.size(); });
  EXPECT_EQ(FakeTwainLog(), c.calls);
  EXPECT_EQ(twain_.pictureHeights, c.pictures);
  EXPECT_EQ(twain_.errors, c.errors);
  EXPECT_EQ(twain_.GetState(), c.endState);
}

const AcquireCase kAcquireCases[] = {
    {"TwoPicturesThenTheSourceAsksToClose", {2, 0, 0, 1},
     {"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done", "ENDXFER pending=1", "GET 2 done",
      "ENDXFER pending=0", "CLOSEDSREQ", "DISABLEDS", "CLOSEDS"},
     {30, 30}, {}, 3},
    {"ACancelledPictureStillEndsItsTransfer", {3, 0, 2, 1},
     {"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done", "ENDXFER pending=2", "GET 2 cancelled",
      "ENDXFER pending=1", "GET 3 done", "ENDXFER pending=0", "CLOSEDSREQ", "DISABLEDS", "CLOSEDS"},
     {30, 30}, {}, 3},
    // Asked again, a failing source would fail again for ever: the pending transfers are reset
    // and the user told.
    {"AFailedTransferResetsThePendingOnes", {3, 2, 0, 1},
     {"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done", "ENDXFER pending=2", "GET 2 failed", "RESET",
      "CLOSEDSREQ", "DISABLEDS", "CLOSEDS"},
     {30}, {CTwain::kTransferFailed}, 3},
    {"AfterAFailureTheSourceStaysEnabledForTheNextScan", {1, 1, 0, 0},
     {"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 failed", "RESET"}, {}, {CTwain::kTransferFailed}, 5},
};

INSTANTIATE_TEST_SUITE_P(Script, Acquiring, ::testing::ValuesIn(kAcquireCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
