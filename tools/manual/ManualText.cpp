// SPDX-License-Identifier: GPL-3.0-or-later
// The knob names, ranges and factory settings come from the plug-in's own tables, so the manual
// always describes the build it ships with.
#include "ManualText.h"
#include "ManualPictures.h"
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "params/CMVXParamTable.h"
#include <cmath>
#include <map>
#include <sstream>

namespace Manual {

namespace {

struct ModelText
{
    const char* character;
    std::map<std::string, std::string> knobs;   // title → what it does on this model
};

// By model index.
const ModelText kModels[] = {
    {"A single-transistor booster that lifts the upper midrange and treble before the amplifier. "
     "It has no clipping stage of its own: it makes a driven amplifier bite harder and cut "
     "through. There are no knobs; the pedal runs flat out.",
     {}},
    {"An op-amp distortion with a pair of diodes clipping hard to ground: a raw, buzzing "
     "distortion with a lot of upper midrange.",
     {{"Gain", "the op-amp's gain, from a light crunch to full distortion"},
      {"Level", "the output volume"}}},
    {"An op-amp distortion with hard clipping and a passive filter behind it; from thick rhythm "
     "sounds to sustaining leads.",
     {{"Distortion", "the amount of gain into the clipping diodes"},
      {"Filter",
       "the filter after the clipper: turned up it cuts more treble for a darker, smoother sound"},
      {"Volume", "the output volume"}}},
    {"A soft-clipping overdrive: diodes in the feedback loop round off the peaks, so the pedal "
     "stays dynamic and cleans up when you play softly.",
     {{"Gain", "the drive into the soft clipper"},
      {"Tone", "the treble after the clipper"},
      {"Level", "the output volume"}}},
    {"The overdrive's sibling with more gain on tap and a fuller low end.",
     {{"Gain", "the drive into the soft clipper"},
      {"Tone", "the treble after the clipper"},
      {"Level", "the output volume"}}},
    {"A mid-focused overdrive: bass is trimmed before the soft clipper, which gives the typical "
     "midrange hump that sits well in a band mix.",
     {{"Overdrive", "the drive into the soft clipper"},
      {"Tone", "the treble after the clipper"},
      {"Level", "the output volume"}}},
    {"The earlier version of the mid-focused overdrive, with a slightly different output stage and "
     "a smoother top end.",
     {{"Overdrive", "the drive into the soft clipper"},
      {"Tone", "the treble after the clipper"},
      {"Level", "the output volume"}}},
    {"A high-gain distortion with two gain stages, hard clipping and an active equaliser whose mid "
     "band can be swept.",
     {{"Gain", "the distortion"},
      {"Level", "the output volume"},
      {"Bass", "low frequencies, cut or boost"},
      {"Treble", "high frequencies, cut or boost"},
      {"Mid Level", "the mid band, cut (left) or boost (right)"},
      {"Mid Frequency", "where the mid band sits, from low mids (left) to high mids (right)"}}},
};

std::string number (double value)
{
    std::ostringstream text;
    text << std::round (value * 100.0) / 100.0;
    return text.str ();
}

// The knobs a model uses, in id order: title and range.
struct Knob
{
    int id;
    std::string title;
    std::string range;
};

std::vector<Knob> knobsOf (int model)
{
    CMVXParamTable table (0);
    table.updateTitles (model);
    std::vector<Knob> knobs;
    for (int id = kParamKnob1; id <= kParamKnob6; ++id)
    {
        const CMVXParameter* param = table.find (id);
        if (param == nullptr || param->getName ().rfind ("n/a", 0) == 0)
            continue;
        knobs.push_back ({id, param->getName (),
                          number (param->getMin ()) + " to " + number (param->getMax ()) + " "
                              + param->getUnit ()});
    }
    return knobs;
}

// Parameters 2 to 7 of the model's factory preset, normalised, for the pictures.
std::vector<float> factoryKnobs (int model)
{
    CMVXParamTable table (0);
    std::vector<float> values;
    for (const CMVXPresetRecord& preset : CMVXDrivePedalsSimulationDSP::kFactoryPresets)
        if (static_cast<int> (preset.values[kParamModel]) == model)
            for (int id = kParamKnob1; id <= kParamKnob6; ++id)
                values.push_back (static_cast<float> (
                    table.find (id)->toNormalized (preset.values[static_cast<size_t> (id)])));
    return values;
}

void models (ManualPdf& pdf)
{
    const auto& names = CMVXParamTable::modelNames ();
    pdf.heading ("The eight models");
    pdf.paragraph (
        "Choose a model with the selector in the upper row under the pedal. The pedal face, its "
        "knobs and the knob names your host shows change with the model; the knob values stay.");
    for (size_t model = 0; model < names.size () && model < std::size (kModels); ++model)
    {
        const ModelText& text = kModels[model];
        std::string markup = "<b>" + escape (names[model]) + "</b>\n" + text.character;
        for (const Knob& knob : knobsOf (static_cast<int> (model)))
        {
            auto what = text.knobs.find (knob.title);
            markup += "\n• <b>" + escape (knob.title) + "</b> (" + escape (knob.range)
                      + "): " + (what != text.knobs.end () ? what->second : std::string ("—"));
        }
        pdf.pictureWithText (
            kFaceWidth * 0.5, kFaceHeight * 0.5,
            [model] (cairo_t* cr, double w, double h) {
                drawPedal (cr, static_cast<int> (model), factoryKnobs (static_cast<int> (model)), w,
                           h);
            },
            markup);
    }
}

void factoryPresets (ManualPdf& pdf)
{
    const auto& names = CMVXParamTable::modelNames ();
    pdf.heading ("Factory presets");
    pdf.paragraph (
        "Eight presets come with the plug-in, one per model. They are the first eight entries "
        "of the preset menu and cannot be deleted.");
    std::vector<std::vector<std::string>> rows = {{"#", "Preset", "Model", "Knob settings"}};
    int index = 0;
    for (const CMVXPresetRecord& preset : CMVXDrivePedalsSimulationDSP::kFactoryPresets)
    {
        const int model = static_cast<int> (preset.values[kParamModel]);
        std::string settings;
        for (const Knob& knob : knobsOf (model))
            settings += (settings.empty () ? "" : ", ") + escape (knob.title) + " "
                        + number (preset.values[static_cast<size_t> (knob.id)]);
        rows.push_back ({std::to_string (++index), escape (preset.name),
                         escape (names[static_cast<size_t> (model)]),
                         settings.empty () ? "no knobs" : settings});
    }
    pdf.table (rows, {22, 100, 95, ManualPdf::kTextWidth - 217});
}

void presetBar (ManualPdf& pdf)
{
    pdf.heading ("Presets");
    pdf.paragraph (
        "The lower row of the display is the preset bar: the preset menu on the left, the "
        "<b>Save</b> button on the right.");
    pdf.bullet (
        "<b>Choose a preset</b>: click the preset menu and pick an entry. The factory presets come "
        "first; below a line follow your own presets, sorted by the bytes of their names: capitals "
        "before small letters (\"B\" before \"a\"), accented letters after \"z\".");
    pdf.bullet ("<b>Save As...</b> (Save button): a name field covers the preset bar with the text "
                "\"New Preset\". Type a name and press Return or the tick button; the cross button "
                "cancels. The new preset is stored and selected at once. A name that is already "
                "taken is refused: the field then reads \"Already Exists\".");
    pdf.bullet (
        "<b>Save</b> (Save button): stores the current settings over the selected preset. For one "
        "of your presets its file is rewritten. For a factory preset the change holds for this "
        "session, and a preset of your own with the same name is stored: from the next start it "
        "appears below the line, while the factory preset is back to its original settings.");
    pdf.bullet (
        "<b>Delete</b> (Save button): a submenu of your presets; the one you pick is removed from "
        "the menu and from disk. When you delete the selected preset, the entry that takes its "
        "place in the menu is selected. Factory presets cannot be deleted.");
    pdf.bullet (
        "If a preset cannot be written (a full disk, a read-only folder), nothing is changed: the "
        "name field stays open and reads \"Not Saved\"; the menu lists only what is on disk.");
}

void storage (ManualPdf& pdf)
{
    pdf.heading ("Where your presets live");
    pdf.paragraph (
        "Each preset of your own is one standard .vstpreset file, named after the preset (a "
        "character the file system does not allow, such as / , becomes _ ), which hosts' own "
        "preset browsers can open too:");
    pdf.bullet (
        "Linux: <tt>~/.vst3/presets/Morvane/Overmoor</tt>, or the folder named by the environment "
        "variable <tt>OVERMOOR_PRESET_DIR</tt> when it is set.");
    pdf.bullet ("Windows: <tt>%USERPROFILE%\\Documents\\VST3 Presets\\Morvane\\Overmoor</tt>.");
    pdf.paragraph ("<b>Backing up</b>: copy that folder, for example");
    pdf.code ("cp -a ~/.vst3/presets/Morvane/Overmoor ~/overmoor-presets-backup");
    pdf.paragraph (
        "To restore, copy the files back (or onto another computer) and open a new Overmoor "
        "window: every instance reads the folder when it starts. Files are written safely (a new "
        "file is renamed over the old one), so a crash never damages a stored preset; files the "
        "plug-in cannot read are left alone.");
}

void infoMenu (ManualPdf& pdf, const std::string& webSite)
{
    pdf.heading ("The info menu");
    pdf.paragraph ("The <b>Info</b> button in the upper row opens:");
    pdf.bullet (
        "<b>Help</b>: this manual. Overmoor looks for <tt>Overmoor Manual.pdf</tt> in the bundle's "
        "<tt>Contents/Resources</tt> folder, or in the folder named by "
        "<tt>OVERMOOR_HELP_PATH</tt>; "
        "when the manual is missing there, or no viewer can open it, the web site opens instead.");
    pdf.bullet ("<b>Check For Updates</b>: the web site's update page for this product.");
    pdf.bullet ("<b>Morvane Web Site</b>: " + escape (webSite) + ".");
    pdf.bullet ("<b>About Plug-In</b>: the version of this plug-in over the window; a left click "
                "closes it.");
}

}   // namespace

void writeManual (ManualPdf& pdf, const std::string& version, const std::string& webSite)
{
    pdf.title ("Overmoor", "Drive-pedal simulator · user manual · " + escape (version));
    pdf.pictureWithText (
        kWindowWidth * 0.75, kWindowHeight * 0.75,
        [] (cairo_t* cr, double w, double h) {
            drawWindow (cr, 7, factoryKnobs (7), CMVXParamTable::modelNames ()[7].c_str (),
                        CMVXDrivePedalsSimulationDSP::kFactoryPresets[7].name.c_str (), w, h);
        },
        "Overmoor is a VST3 audio effect for electric guitar. It models eight classic "
        "booster, overdrive and distortion pedals, from their circuits, running at a high "
        "internal sample rate so that the clipping stays clean of aliasing.\n\n"
        "<b>The window</b>\n"
        "• the pedal with its knobs: drag a knob up or down to turn it, with Shift held for fine "
        "steps, or turn the mouse wheel over it (Shift: finer); Ctrl-click a knob to return it to "
        "its default;\n"
        "• the <b>footswitch</b>: click it to switch the effect on or off;\n"
        "• the <b>lamp</b> above the knobs: lit while the effect is on. When it is dark "
        "the guitar signal passes through unchanged;\n"
        "• the upper row of the display: the model selector and the Info button;\n"
        "• the lower row: the preset menu and the Save button;\n"
        "• a right click on the pedal's background (not on a knob or switch) opens the zoom menu, "
        "Zoom 100 % to Zoom 300 %: the window grows, everything stays sharp, and new windows open "
        "at the zoom you chose last.");
    models (pdf);
    factoryPresets (pdf);
    presetBar (pdf);
    storage (pdf);
    infoMenu (pdf, webSite);
}

}   // namespace Manual
