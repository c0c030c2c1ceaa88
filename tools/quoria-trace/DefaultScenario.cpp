#include "Scenario.h"

namespace QuoriaTrace
{

// A probe's wedge standing on a plate: the beam leaves the probe along the
// normal of the wedge's inclined face, refracts into the steel by Snell's law
// and skips between the plate's faces.
const char* DefaultScenarioText()
{
    return R"({
  "title": "Wedge on a plate",
  "description": "The beam leaves the probe through the wedge's inclined face, refracts into the plate by Snell's law and skips between its faces.",
  "unit": "mm",
  "specimens": [
    {
      "name": "wedge",
      "factory": "CreateWedgeOnAxisAlignedPlate",
      "probeSetOrigin": [0, 0, 0],
      "length": 40,
      "width": 20,
      "height": 8,
      "wedgeAngleDegrees": 36,
      "waveSpeed": 2330
    },
    {
      "name": "plate",
      "factory": "CreateAxisAlignedPlate",
      "centre": [40, 0, 12.5],
      "sizeX": 200,
      "sizeY": 60,
      "sizeZ": 25,
      "waveSpeed": 3230
    }
  ],
  "beam": {
    "entry": { "near": [-20, 0, -22.5], "snapTo": "wedge" },
    "refractionAngleDegrees": 0,
    "skewAngleDegrees": 0,
    "stop": { "legs": 5 },
    "behaviors": ["Transmit", "Reflect", "Reflect", "Reflect", "Reflect"],
    "laws": "snell"
  }
}
)";
}

} // namespace QuoriaTrace
