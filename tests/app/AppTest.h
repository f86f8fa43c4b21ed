// The one runner of the Qt tests: each test class registers itself here with VORPEL_APP_TEST.
#pragma once

#include <memory>

#include <QObject>

namespace vorpel::test {

using AppTestFactory = std::unique_ptr<QObject> (*)();

// Adds a test class to the runner; always true, so that a namespace-scope constant can call it.
bool RegisterAppTest(const char* name, AppTestFactory factory);

} // namespace vorpel::test

#define VORPEL_APP_TEST(Class)                                                                     \
    namespace {                                                                                    \
    [[maybe_unused]] const bool kRegistered##Class = ::vorpel::test::RegisterAppTest(              \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });                               \
    }
