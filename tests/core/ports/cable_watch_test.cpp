#include "core/ports/cable_watch.h"

#include <gtest/gtest.h>

#include "../../support/fixture_system.h"

namespace radioprog {
namespace {

using std::chrono::milliseconds;
using testing::FixtureSystem;

const FixtureSystem::Usb kPl2303{0x067b, 0x2303, "Prolific", "", "", "pl2303"};

class CableWatchTest : public ::testing::Test {
protected:
    CableWatchTest() {
        m_system.AddBuiltInPort("ttyS0");
        m_system.AddUsbAdapter("ttyUSB0", kPl2303);
        m_system.AddById("usb-Prolific-if00-port0", "ttyUSB0");
    }
    std::vector<DiscoveredPort> Ports() const { return DiscoverPorts(m_system.roots()); }

    FixtureSystem m_system;
    CableWatch::Clock::time_point m_now{};
};

TEST_F(CableWatchTest, TheCableIsThePortThatComesBackAfterItWentAway) {
    CableWatch watch(Ports());
    EXPECT_EQ(watch.stage(), CableWatch::Stage::Unplug);
    EXPECT_FALSE(watch.Look(Ports(), m_now));
    m_system.Unplug("ttyUSB0");
    EXPECT_FALSE(watch.Look(Ports(), m_now += milliseconds(300)));
    EXPECT_EQ(watch.stage(), CableWatch::Stage::Plug);
    // Plugged back in, it may come under another name.
    m_system.AddUsbAdapter("ttyUSB1", kPl2303);
    m_system.AddById("usb-Prolific-if00-port0", "ttyUSB1");
    const auto found = watch.Look(Ports(), m_now += milliseconds(300));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "ttyUSB1");
    EXPECT_EQ(found->byId, m_system.Dev("serial/by-id/usb-Prolific-if00-port0"));
    EXPECT_EQ(watch.stage(), CableWatch::Stage::Found);
}

TEST_F(CableWatchTest, ANewUsbPortWaitsForItsByIdLinkButNotForever) {
    CableWatch watch(Ports());
    m_system.AddUsbAdapter("ttyUSB1", kPl2303);
    EXPECT_FALSE(watch.Look(Ports(), m_now));
    EXPECT_FALSE(watch.Look(Ports(), m_now += milliseconds(500)));
    m_system.AddById("usb-Second-if00-port0", "ttyUSB1");
    const auto linked = watch.Look(Ports(), m_now += milliseconds(500));
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->byId.filename(), "usb-Second-if00-port0");

    CableWatch patient(Ports());
    m_system.AddUsbAdapter("ttyUSB2", kPl2303);
    EXPECT_FALSE(patient.Look(Ports(), m_now));
    const auto unlinked = patient.Look(Ports(), m_now += CableWatch::kLinkPatience);
    ASSERT_TRUE(unlinked);
    EXPECT_EQ(unlinked->name, "ttyUSB2");
    EXPECT_TRUE(unlinked->byId.empty());
}

TEST_F(CableWatchTest, APortThatComesAndGoesBeforeItsLinkIsNoCable) {
    CableWatch watch(Ports());
    m_system.AddUsbAdapter("ttyUSB1", kPl2303);
    EXPECT_FALSE(watch.Look(Ports(), m_now));
    m_system.Unplug("ttyUSB1");
    EXPECT_FALSE(watch.Look(Ports(), m_now += CableWatch::kLinkPatience));
    EXPECT_NE(watch.stage(), CableWatch::Stage::Found);
}

}  // namespace
}  // namespace radioprog
