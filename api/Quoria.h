#pragma once

// The whole public interface of the Quoria library.
#include "Geometry3D.h"
#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "Factories.h"
#include "IRayTracer.h"
#include "SlopeConfiguration.h"
