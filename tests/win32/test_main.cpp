// The window tests' entry point: GoogleTest, a plain closing line of counts,
// and the fixture folder removed at the end.
#include <gtest/gtest.h>

#include <cstdio>

#include "fixture_files.h"

namespace {

class CountsLine : public testing::EmptyTestEventListener {
    void OnTestProgramEnd(const testing::UnitTest& run) override
    {
        std::printf("%d passed, %d failed\n", run.successful_test_count(), run.failed_test_count());
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CountsLine);
    const int result = RUN_ALL_TESTS();
    fixtures::removeAll();
    return result;
}
