#include <gtest/gtest.h>

#include "ArtworkFixture.h"

namespace {

struct EditorImage {
    int id;
    const char* path;
    int frames;
    int width, height;  // 0 where the editor leaves the size to the artwork
};

// Every image the editor loads, with the frame counts and sizes its layout is built on.
constexpr EditorImage kEditorImages[] = {
    {10006, "resources/img/GUI_background.png", 1, 650, 830},
    {10002, "resources/img/Controls_Background.png", 1, 0, 0},
    {1026, "resources/img/buttons/tab_plug_in_button.png", 2, 0, 0},
    {1025, "resources/img/buttons/tab_about_button.png", 2, 0, 0},
    {1027, "resources/img/buttons/tab_scope_button.png", 2, 0, 0},
    {1028, "resources/img/buttons/tab_test.png", 2, 0, 0},
    {3023, "resources/img/knobs/volume_knob.png", 128, 50, 50},
    {3021, "resources/img/knobs/io_sat.png", 128, 35, 35},
    {3001, "resources/img/knobs/offset_knob.png", 128, 35, 35},
    {1002, "resources/img/buttons/channel_mode_button.png", 5, 48, 20},
    {1023, "resources/img/buttons/sat_mode_button.png", 3, 48, 20},
    {1032, "resources/img/switches/on_off.png", 2, 20, 20},
    {3004, "resources/img/knobs/distortion_knob.png", 128, 50, 50},
    {3002, "resources/img/knobs/bit_crash_knob.png", 128, 35, 35},
    {3005, "resources/img/knobs/sample_rate_knob.png", 128, 35, 35},
    {3003, "resources/img/knobs/gate_knob.png", 128, 35, 35},
    {3011, "resources/img/knobs/shaper_width_knob.png", 128, 35, 35},
    {3010, "resources/img/knobs/shaper_type_knob.png", 9, 35, 35},
    {1020, "resources/img/buttons/prev_button.png", 2, 20, 20},
    {1016, "resources/img/buttons/next_button.png", 2, 20, 20},
    {1010, "resources/img/buttons/interp_mode_button.png", 2, 48, 20},
    {1015, "resources/img/buttons/mode_button.png", 2, 48, 20},
    {5001, "resources/img/buttons/disto_mode_button_3_states.png", 3, 48, 20},
    {1011, "resources/img/buttons/invert_button_48x40.png", 2, 48, 20},
    {2003, "resources/img/displays/disto_preview_display.png", 1, 131, 47},
    {2002, "resources/img/displays/disto_curve_display.png", 1, 145, 145},
    {2004, "resources/img/displays/disto_name_display.png", 1, 171, 20},
    {1019, "resources/img/buttons/signal_pos_neg_both_48x60.png", 3, 48, 20},
    {1022, "resources/img/buttons/restore_on_off_48x40.png", 2, 48, 20},
    {5005, "resources/img/buttons/pre_3_states.png", 3, 48, 20},
    {5004, "resources/img/buttons/post_3_states.png", 3, 48, 20},
    {4001, "resources/img/slider_handle.png", 1, 17, 13},
    {4000, "resources/img/slider_background.png", 1, 94, 10},
    {3000, "resources/img/knobs/filter_knob.png", 128, 50, 50},
    {3020, "resources/img/knobs/resonance_knob.png", 128, 50, 50},
    {3006, "resources/img/knobs/drive_knob.png", 128, 35, 35},
    {3016, "resources/img/knobs/filter_transition_knob.png", 3, 35, 35},
    {2007, "resources/img/displays/filter_type_display.png", 1, 76, 20},
    {1004, "resources/img/buttons/sub_band_tab.png", 2, 142, 26},
    {1003, "resources/img/buttons/disto_band_tab.png", 2, 142, 26},
    {3012, "resources/img/knobs/eq_bass_knob.png", 128, 50, 50},
    {3015, "resources/img/knobs/eq_low_mid_knob.png", 128, 50, 50},
    {3014, "resources/img/knobs/eq_high_mid_knob.png", 128, 50, 50},
    {3013, "resources/img/knobs/eq_high_knob.png", 128, 50, 50},
    {2006, "resources/img/displays/eq_freq_display.png", 1, 255, 20},
    {3017, "resources/img/knobs/gain_knob.png", 128, 0, 0},
    {3022, "resources/img/knobs/saturation_knob.png", 128, 0, 0},
    {1013, "resources/img/buttons/link_on_off.png", 2, 0, 0},
    {2001, "resources/img/displays/band_display.png", 1, 0, 0},
    {1000, "resources/img/buttons/band_filter_slope.png", 4, 0, 0},
    {2009, "resources/img/displays/preset_display.png", 1, 0, 0},
    {1014, "resources/img/buttons/load_on_off_48x40.png", 2, 48, 20},
    {1024, "resources/img/buttons/save_on_off_48x40.png", 2, 48, 20},
    {1001, "resources/img/buttons/bypass_fx_button_84x60.png", 2, 84, 30},
    {3019, "resources/img/knobs/pan_knob.png", 128, 0, 0},
    {3007, "resources/img/knobs/dry_wet_knob.png", 128, 0, 0},
    {3018, "resources/img/knobs/limiter_knob.png", 128, 0, 0},
    {3008, "resources/img/knobs/lp_hq_knob.png", 128, 0, 0},
    {1012, "resources/img/buttons/clipper_mode_button.png", 4, 0, 0},
    {1112, "resources/img/buttons/limiter_mode_button.png", 2, 0, 0},
    {1018, "resources/img/buttons/oversampling_button.png", 2, 0, 0},
    {5000, "resources/img/switches/make_up_on_off.png", 2, 0, 0},
    {1005, "resources/img/buttons/filter_slope.png", 2, 0, 0},
    {1008, "resources/img/buttons/hq_filter_3_states.png", 3, 0, 0},
    {2008, "resources/img/displays/info_display.png", 1, 0, 0},
    {1021, "resources/img/buttons/reset_on_off_48x40.png", 2, 48, 20},
    {2000, "resources/img/displays/version_info_display_pro.png", 1, 0, 0},
    {10005, "resources/img/Wezmark_logo_txt_570x380.png", 1, 570, 380},
    {10003, "resources/img/WZ_Team_Text.png", 1, 0, 0},
    {10007, "resources/img/VST_Logo.png", 1, 0, 0},
    {2011, "resources/img/displays/zoom_display.png", 1, 0, 0},
    {2010, "resources/img/displays/wave_display.png", 1, 0, 0},
    {2012, "resources/img/displays/scope_heading.png", 1, 0, 0},
    {2013, "resources/img/displays/scope_button_strip.png", 1, 0, 0},
    {1006, "resources/img/buttons/freeze_scope_button.png", 2, 0, 0},
    {5002, "resources/img/switches/minus_25px.png", 2, 25, 25},
    {5003, "resources/img/switches/plus_25px.png", 2, 25, 25},
    {1009, "resources/img/buttons/input_on_off.png", 2, 0, 0},
    {1017, "resources/img/buttons/output_on_off.png", 2, 0, 0},
    {1007, "resources/img/buttons/hollow_half_filled_scope_button.png", 3, 0, 0},
};

TEST(ArtworkManifest, ListsEveryEditorImageWithItsPathFramesAndSize) {
    EXPECT_EQ(CommittedManifest().Entries().size(), std::size(kEditorImages));
    for (const EditorImage& expected : kEditorImages) {
        SCOPED_TRACE(expected.id);
        const artgen::ImageEntry& entry = EntryById(expected.id);
        EXPECT_EQ(entry.path, expected.path);
        EXPECT_EQ(entry.frames, expected.frames);
        if (expected.width != 0) {
            EXPECT_EQ(entry.frameWidth, expected.width);
            EXPECT_EQ(entry.frameHeight, expected.height);
        }
    }
}

TEST(ArtworkManifest, RejectsMalformedLines) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"# comment only\n\n", true},
        {"1 a.png 2 10 10 knob accent=io labels=\"A B|C\"\n", true},
        {"1 a.png 2 10 knob\n", false},                          // a size is missing
        {"1 a.png 0 10 10 knob\n", false},                       // no frames
        {"x a.png 2 10 10 knob\n", false},                       // id is not a number
        {"1 a.png 2 10 10 knob accent\n", false},                // parameter without a value
        {"1 a.png 2 10 10 knob\n1 b.png 2 10 10 knob\n", false}, // id twice
        {"1 a.png 2 10 10 knob\n2 a.png 2 10 10 knob\n", false}, // path twice
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        const auto manifest = artgen::Manifest::Parse(c.text, error);
        EXPECT_EQ(manifest.has_value(), c.valid);
        EXPECT_EQ(error.empty(), c.valid);
    }
}

TEST(ArtworkManifest, KeepsQuotedBlanksAndSplitsLabels) {
    std::string error;
    const auto manifest = artgen::Manifest::Parse("7 b.png 3 48 20 switch labels=\"PRE OFF|PRE LOW|PRE ON\"\n", error);
    ASSERT_TRUE(manifest.has_value()) << error;
    EXPECT_EQ(manifest->Entries()[0].List("labels"), (std::vector<std::string>{"PRE OFF", "PRE LOW", "PRE ON"}));
    EXPECT_EQ(manifest->Entries()[0].ImageHeight(), 60);
}

}  // namespace
