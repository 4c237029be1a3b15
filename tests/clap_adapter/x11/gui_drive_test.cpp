// The X11 editor has no thread or timer of its own: a host that can drive it neither by a timer
// nor by watching the X connection gets no editor, though the API still reads as supported (a
// scanner asks with no extensions offered and must list the editor).
#include "clap/clap_export.h"
#include "host/clap/clap_instance.h"

#include <gtest/gtest.h>

TEST(ClapX11Gui, AHostThatCannotDriveTheEditorGetsNone) {
    for (bool offered : {false, true}) {
        ClapHostServices services;
        services.OfferExtensions(offered);
        ClapModule module;
        ASSERT_TRUE(module.Adopt(&clap_entry, "Crescenda.clap"));
        ClapInstance instance(module, services);
        ASSERT_TRUE(instance.Create());
        const auto* gui = instance.Extension<clap_plugin_gui>(CLAP_EXT_GUI);
        ASSERT_NE(gui, nullptr);
        EXPECT_TRUE(gui->is_api_supported(instance.Plugin(), CLAP_WINDOW_API_X11, false));
        EXPECT_FALSE(gui->is_api_supported(instance.Plugin(), CLAP_WINDOW_API_X11, true));
        EXPECT_EQ(gui->create(instance.Plugin(), CLAP_WINDOW_API_X11, false), offered) << offered;
        if (offered) {
            ASSERT_EQ(services.Timers().size(), 1u);
            EXPECT_LE(services.Timers()[0].periodMs, 30u);
            gui->destroy(instance.Plugin());
        }
        EXPECT_TRUE(services.Timers().empty());
    }
}
