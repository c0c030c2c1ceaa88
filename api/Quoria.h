#pragma once

// The whole public interface of the Quoria library.
#include "Geometry3D.h"
#include "SlopeConfiguration.h"
