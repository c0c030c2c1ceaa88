#pragma once

// The whole public interface of the Quoria library.
#include "AcousticTracer.h"
#include "BatchTrace.h"
#include "BeamAngles.h"
#include "BehaviorAtInterface.h"
#include "Factories.h"
#include "FocalLaws.h"
#include "Geometry3D.h"
#include "IRayTracer.h"
#include "Material.h"
#include "SlopeConfiguration.h"
#include "SnapToFace.h"
#include "Snell.h"
#include "TraceEnding.h"
#include "TraceReport.h"
#include "TraceStop.h"
#include "WaveMode.h"
