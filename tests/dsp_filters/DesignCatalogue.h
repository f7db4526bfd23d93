#pragma once

#include "dsp/filters/Filter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every smoothed design that the processing units create, for table-driven tests.
struct DesignEntry {
    std::string label;
    std::function<std::unique_ptr<Dsp::Filter>()> make;
    int maxOrder; // 0 for designs without an order
};

const std::vector<DesignEntry>& AllDesigns();
// The design of the label; throws std::invalid_argument for a label not in the catalogue.
const DesignEntry& FindDesign(const std::string& label);

// Index of the last parameter with the id, or -1.
int FindParam(const Dsp::Filter& filter, int id);
// Writes the value of the parameter with the id (when the design has one) and applies params.
void SetParam(Dsp::Filter& filter, int id, double value);
// Applies every record's default, as the units do right after construction.
void ApplyDefaults(Dsp::Filter& filter);
// A design with its defaults applied, then its maximum order, designed at once.
std::unique_ptr<Dsp::Filter> MakeDesigned(const DesignEntry& entry, double sampleRate);
