// The test program's main: GoogleTest's usual console output, except that
// failures are not also handed to the debugger.
//
// On Windows GoogleTest passes every failure to OutputDebugStringA, which
// raises an exception. Under Wine emulated by qemu, raising an exception
// kills the process once any of its threads has ended ("wine client error:
// write: Bad file descriptor"), so the first failure would take every later
// result with it. The standard printer still prints everything else.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

using ::testing::TestEventListener;

const char* Kind(const ::testing::TestPartResult& result) {
  switch (result.type()) {
    case ::testing::TestPartResult::kSkip: return "Skipped\n";
    case ::testing::TestPartResult::kSuccess: return "Success";
    default: return "Failure\n";
  }
}

class FailuresToConsoleOnly final : public TestEventListener {
 public:
  explicit FailuresToConsoleOnly(TestEventListener* printer) : printer_(printer) {}

  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (result.type() == ::testing::TestPartResult::kSuccess) return;
    std::printf(
        "%s %s%s\n",
        ::testing::internal::FormatFileLocation(result.file_name(), result.line_number()).c_str(),
        Kind(result),
        result.message());
    std::fflush(stdout);
  }

  void OnTestProgramStart(const ::testing::UnitTest& u) override {
    printer_->OnTestProgramStart(u);
  }
  void OnTestIterationStart(const ::testing::UnitTest& u, int i) override {
    printer_->OnTestIterationStart(u, i);
  }
  void OnEnvironmentsSetUpStart(const ::testing::UnitTest& u) override {
    printer_->OnEnvironmentsSetUpStart(u);
  }
  void OnEnvironmentsSetUpEnd(const ::testing::UnitTest& u) override {
    printer_->OnEnvironmentsSetUpEnd(u);
  }
  void OnTestSuiteStart(const ::testing::TestSuite& s) override { printer_->OnTestSuiteStart(s); }
#ifndef GTEST_REMOVE_LEGACY_TEST_CASEAPI_
  void OnTestCaseStart(const ::testing::TestCase& c) override { printer_->OnTestCaseStart(c); }
  void OnTestCaseEnd(const ::testing::TestCase& c) override { printer_->OnTestCaseEnd(c); }
#endif
  void OnTestStart(const ::testing::TestInfo& t) override { printer_->OnTestStart(t); }
  void OnTestDisabled(const ::testing::TestInfo& t) override { printer_->OnTestDisabled(t); }
  void OnTestEnd(const ::testing::TestInfo& t) override { printer_->OnTestEnd(t); }
  void OnTestSuiteEnd(const ::testing::TestSuite& s) override { printer_->OnTestSuiteEnd(s); }
  void OnEnvironmentsTearDownStart(const ::testing::UnitTest& u) override {
    printer_->OnEnvironmentsTearDownStart(u);
  }
  void OnEnvironmentsTearDownEnd(const ::testing::UnitTest& u) override {
    printer_->OnEnvironmentsTearDownEnd(u);
  }
  void OnTestIterationEnd(const ::testing::UnitTest& u, int i) override {
    printer_->OnTestIterationEnd(u, i);
  }
  void OnTestProgramEnd(const ::testing::UnitTest& u) override { printer_->OnTestProgramEnd(u); }

 private:
  std::unique_ptr<TestEventListener> printer_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
  if (TestEventListener* printer = listeners.Release(listeners.default_result_printer())) {
    listeners.Append(new FailuresToConsoleOnly(printer));
  }
  return RUN_ALL_TESTS();
}
