// The driver's main: GoogleTest, plus a picture of the screen at the first failure of each
// scenario, saved as <failure folder>/<Suite>.<Scenario>.png, so that a failure can be seen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "user_input.h"

namespace {

class FailureScreenshots : public ::testing::EmptyTestEventListener {
  public:
    explicit FailureScreenshots(std::string folder) : folder_(std::move(folder)) {}

    void OnTestStart(const ::testing::TestInfo&) override { taken_ = false; }

    // At the failure itself, not at the end of the scenario: by then the tool is being closed.
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || taken_) return;
        taken_ = true;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        if (!test) return;
        std::string name = std::string(test->test_suite_name()) + "." + test->name();
        for (char& c : name) c = c == '/' ? '_' : c;
        std::string path = folder_ + "/" + name + ".png";
        std::string error;
        if (acceptance::SaveScreenshot(path, &error)) {
            std::printf("screenshot of the failure: %s\n", path.c_str());
        } else {
            std::printf("no screenshot of the failure: %s\n", error.c_str());
        }
    }

  private:
    std::string folder_;
    bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (const char* folder = std::getenv("TARVIK_ACCEPTANCE_FAILURES")) {
        ::testing::UnitTest::GetInstance()->listeners().Append(new FailureScreenshots(folder));
    }
    return RUN_ALL_TESTS();
}
