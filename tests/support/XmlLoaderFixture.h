// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests that load XML documents: the event loop the network needs, and a load waited for.
#include "records/XmlLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quarvelin::test {

class XmlLoaderFixture : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // The network needs an event loop; the logic tests run without any other.
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "quarvelin_tests";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    // Runs the event loop until `done` holds or `ms` have passed; says whether it holds.
    template <class Done> static bool spinUntil(Done done, int ms = 10000) {
        QElapsedTimer shows;
        shows.start();
        while (!done() && shows.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    // Runs the event loop until the load reports, at most a few seconds.
    LoadResult wait(const std::string& address) {
        std::optional<LoadResult> r;
        loading.load(address, [&](const LoadResult& x) { r = x; });
        EXPECT_TRUE(spinUntil([&] { return r.has_value(); })) << "no answer for " << address;
        return r.value_or(LoadResult{});
    }

    XmlLoader loading;
};

} // namespace quarvelin::test
