#include "EmbreeReference.h"

#include <embree3/rtcore.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace QuoriaBench
{

struct EmbreeReference::Device
{
    RTCDevice device = nullptr;
    std::vector<RTCScene> scenes;
};

EmbreeReference::EmbreeReference(const std::vector<Mesh>& meshes) : device(new Device)
{
    // One thread: the tracer it is compared with runs on one.
    device->device = rtcNewDevice("threads=1");
    if (device->device == nullptr)
    {
        delete device;
        throw std::runtime_error("no Embree device");
    }
    for (const Mesh& mesh : meshes)
    {
        RTCScene scene = rtcNewScene(device->device);
        RTCGeometry geometry = rtcNewGeometry(device->device, RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* vertices = static_cast<float*>(rtcSetNewGeometryBuffer(
            geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float), mesh.vertices.size()));
        for (std::size_t i = 0; i < mesh.vertices.size(); ++i)
        {
            for (int k = 0; k < 3; ++k)
            {
                vertices[3 * i + k] = static_cast<float>(mesh.vertices[i][k]);
            }
        }
        auto* indices = static_cast<unsigned int*>(
            rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3,
                                    3 * sizeof(unsigned int), mesh.triangles.size()));
        for (std::size_t i = 0; i < mesh.triangles.size(); ++i)
        {
            for (int k = 0; k < 3; ++k)
            {
                indices[3 * i + k] = mesh.triangles[i][k];
            }
        }
        rtcCommitGeometry(geometry);
        rtcAttachGeometry(scene, geometry);
        rtcReleaseGeometry(geometry);
        rtcSetSceneBuildQuality(scene, RTC_BUILD_QUALITY_HIGH);
        rtcCommitScene(scene);
        device->scenes.push_back(scene);
    }
}

EmbreeReference::~EmbreeReference()
{
    for (RTCScene scene : device->scenes)
    {
        rtcReleaseScene(scene);
    }
    rtcReleaseDevice(device->device);
    delete device;
}

std::size_t EmbreeReference::Trace(std::size_t solid, const Point3& start, const Point3& direction,
                                   const std::vector<Quoria::BehaviorAtInterface>& behaviors,
                                   std::size_t maximumLegs, std::vector<Point3>& ends) const
{
    // Single precision: a new leg starts this far past the facet it left.
    const float startOffset = 1e-3f;
    Point3 origin = start;
    Point3 d = direction;
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    std::size_t legs = 0;
    const std::size_t limit = std::min(maximumLegs, ends.size());
    while (legs < limit)
    {
        RTCRayHit hit;
        hit.ray.org_x = static_cast<float>(origin[0]);
        hit.ray.org_y = static_cast<float>(origin[1]);
        hit.ray.org_z = static_cast<float>(origin[2]);
        hit.ray.dir_x = static_cast<float>(d[0]);
        hit.ray.dir_y = static_cast<float>(d[1]);
        hit.ray.dir_z = static_cast<float>(d[2]);
        hit.ray.tnear = startOffset;
        hit.ray.tfar = std::numeric_limits<float>::infinity();
        hit.ray.time = 0.0f;
        hit.ray.mask = 0xFFFFFFFFu;
        hit.ray.id = 0;
        hit.ray.flags = 0;
        hit.hit.geomID = RTC_INVALID_GEOMETRY_ID;
        hit.hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
        rtcIntersect1(device->scenes[solid], &context, &hit);
        if (hit.hit.geomID == RTC_INVALID_GEOMETRY_ID)
        {
            break;
        }
        const double t = hit.ray.tfar;
        for (int k = 0; k < 3; ++k)
        {
            origin[k] += t * d[k];
        }
        ends[legs++] = origin;
        const Quoria::BehaviorAtInterface behavior =
            behaviors.size() >= legs ? behaviors[legs - 1] : Quoria::BehaviorAtInterface::Reflect;
        if (behavior == Quoria::BehaviorAtInterface::Reflect)
        {
            const double n[3] = {hit.hit.Ng_x, hit.hit.Ng_y, hit.hit.Ng_z};
            const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            const double dot = (d[0] * n[0] + d[1] * n[1] + d[2] * n[2]) / length;
            for (int k = 0; k < 3; ++k)
            {
                d[k] -= 2.0 * dot * n[k] / length;
            }
        }
        else if (behavior == Quoria::BehaviorAtInterface::Transmit && device->scenes.size() > 1)
        {
            solid = (solid + 1) % device->scenes.size();
        }
        else
        {
            break;
        }
    }
    return legs;
}

} // namespace QuoriaBench
