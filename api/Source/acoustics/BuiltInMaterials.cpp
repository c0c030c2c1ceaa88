#include "Material.h"

#include <cstddef>
#include <stdexcept>
#include <string>

namespace Quoria
{

namespace
{

// Bulk wave speeds as handbooks tabulate them at room temperature; the
// sources are named in docs/materials.md. Order: metals, cast irons, wedge
// plastics, couplants.
std::vector<Material> MakeTable()
{
    return {
        Material("Carbon steel", 5900.0, 3230.0),
        Material("Austenitic stainless steel", 5660.0, 3120.0),
        Material("Aluminium", 6320.0, 3130.0),
        Material("Titanium", 6100.0, 3120.0),
        Material("Copper", 4660.0, 2330.0),
        Material("Grey cast iron", 3500.0, 2200.0),
        Material("Ductile cast iron", 5600.0, 3200.0),
        Material("Acrylic", 2730.0, 1430.0),
        Material("Cross-linked polystyrene", 2330.0, 1160.0),
        Material("Polystyrene", 2350.0, 1150.0),
        Material("Water", 1480.0, 0.0),
        Material("Glycerine", 1920.0, 0.0),
    };
}

struct ShortName
{
    const char* name;
    const char* material;
};

// The names people type for the entries above.
const ShortName ShortNames[] = {
    {"steel", "Carbon steel"},
    {"mild steel", "Carbon steel"},
    {"stainless", "Austenitic stainless steel"},
    {"stainless steel", "Austenitic stainless steel"},
    {"aluminum", "Aluminium"},
    {"cast iron", "Grey cast iron"},
    {"nodular cast iron", "Ductile cast iron"},
    {"pmma", "Acrylic"},
    {"rexolite", "Cross-linked polystyrene"},
    {"glycerin", "Glycerine"},
    {"glycerol", "Glycerine"},
};

bool SameNameIgnoringCase(const std::string& first, const std::string& second)
{
    if (first.size() != second.size())
    {
        return false;
    }
    // ASCII only, whatever the locale: other bytes compare as they are.
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < first.size(); ++i)
    {
        if (lower(first[i]) != lower(second[i]))
        {
            return false;
        }
    }
    return true;
}

std::string UnknownNameMessage()
{
    std::string message = "FindMaterial : Unknown material; the known names are ";
    for (const Material& material : BuiltInMaterials())
    {
        message += material.GetName() + ", ";
    }
    message += "and the short names";
    const char* separator = " ";
    for (const ShortName& shortName : ShortNames)
    {
        message += separator;
        message += shortName.name;
        separator = ", ";
    }
    return message + ".";
}

} // namespace

const std::vector<Material>& BuiltInMaterials()
{
    static const std::vector<Material> table = MakeTable();
    return table;
}

Material FindMaterial(const std::string& name)
{
    std::string wanted = name;
    for (const ShortName& shortName : ShortNames)
    {
        if (SameNameIgnoringCase(name, shortName.name))
        {
            wanted = shortName.material;
            break;
        }
    }
    for (const Material& material : BuiltInMaterials())
    {
        if (SameNameIgnoringCase(wanted, material.GetName()))
        {
            return material;
        }
    }
    throw std::invalid_argument(UnknownNameMessage());
}

} // namespace Quoria
