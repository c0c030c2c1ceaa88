#pragma once

// The whole public interface of the Quoria library.
#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "Factories.h"
#include "Geometry3D.h"
#include "IRayTracer.h"
#include "SlopeConfiguration.h"
#include "TraceEnding.h"
#include "TraceReport.h"
