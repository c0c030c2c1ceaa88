#include "Material.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

TEST(Material, RefusesSpeedsInOrderLongitudinalShearThenTheirRelation)
{
    const std::string longitudinal =
        "Material::Material : The longitudinal speed must be positive and finite.";
    const std::string shear = "Material::Material : The shear speed must be positive or zero, and finite.";
    const std::string relation =
        "Material::Material : The shear speed must be smaller than the longitudinal speed.";
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", std::nan(""), std::nan("")); }), longitudinal);
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", 0.0, 0.0); }), longitudinal);
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", HUGE_VAL, 1.0); }), longitudinal);
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", 1000.0, -1.0); }), shear);
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", 1000.0, std::nan("")); }), shear);
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", 1000.0, 1000.0); }), relation);
    EXPECT_EQ(MessageOf([] { Quoria::Material("m", 1000.0, std::nextafter(1000.0, 0.0)); }), "no exception");

    const Quoria::Material oil("oil", 1740.0, 0.0);
    EXPECT_FALSE(oil.CarriesShearWaves());
    EXPECT_EQ(oil.GetSpeed(Quoria::WaveMode::L), 1740.0);
    EXPECT_EQ(oil.GetSpeed(Quoria::WaveMode::T), 0.0);
}

TEST(Material, TableHoldsSolidsAndTwoLiquidsUnderDistinctNames)
{
    const std::vector<Quoria::Material>& table = Quoria::BuiltInMaterials();
    EXPECT_GE(table.size(), 11u);
    std::set<std::string> lowerNames;
    for (const Quoria::Material& material : table)
    {
        EXPECT_GT(material.GetLongitudinalSpeed(), material.GetShearSpeed()) << material.GetName();
        EXPECT_GE(material.GetShearSpeed(), 0.0) << material.GetName();
        std::string lower = material.GetName();
        for (char& c : lower)
        {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(lowerNames.insert(lower).second) << material.GetName();
        const bool liquid = lower == "water" || lower == "glycerine";
        EXPECT_EQ(material.CarriesShearWaves(), !liquid) << material.GetName();
    }
    EXPECT_EQ(lowerNames.count("water") + lowerNames.count("glycerine"), 2u);
}

TEST(Material, FoundByNameOrShortNameIgnoringCase)
{
    const auto expectSpeeds = [](const std::string& name, double longitudinal, double shear)
    {
        const Quoria::Material material = Quoria::FindMaterial(name);
        EXPECT_EQ(material.GetLongitudinalSpeed(), longitudinal) << name;
        EXPECT_EQ(material.GetShearSpeed(), shear) << name;
    };
    for (const char* name : {"Carbon steel", "CARBON STEEL", "steel", "Steel"})
    {
        expectSpeeds(name, 5900.0, 3230.0);
    }
    for (const char* name : {"cross-linked polystyrene", "Rexolite"})
    {
        expectSpeeds(name, 2330.0, Quoria::FindMaterial("Cross-Linked Polystyrene").GetShearSpeed());
    }
    EXPECT_EQ(Quoria::FindMaterial("water").GetShearSpeed(), 0.0);
    EXPECT_EQ(Quoria::FindMaterial("aluminum").GetName(), Quoria::FindMaterial("ALUMINIUM").GetName());
    EXPECT_EQ(Quoria::FindMaterial("pmma").GetName(), "Acrylic");
    EXPECT_EQ(Quoria::FindMaterial("Stainless").GetName(), "Austenitic stainless steel");

    // Unknown names, and names that differ beyond case, list what is known.
    for (const char* name : {"unobtainium", "steel ", ""})
    {
        const std::string message = MessageOf([&] { Quoria::FindMaterial(name); });
        EXPECT_EQ(message.rfind("FindMaterial : Unknown material; the known names are Carbon steel, ", 0), 0u)
            << message;
        for (const Quoria::Material& material : Quoria::BuiltInMaterials())
        {
            EXPECT_NE(message.find(material.GetName()), std::string::npos) << material.GetName();
        }
        EXPECT_NE(message.find("short names steel, "), std::string::npos) << message;
    }
}
