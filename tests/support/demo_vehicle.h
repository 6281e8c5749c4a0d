#pragma once
// The sample car and its texture dictionary, as the game stores a vehicle: for the sample
// archive, and for tests of the model view's game look.
#include <cstdint>
#include <vector>

namespace testing_support {

// The textures demoVehicle() names, in the dictionary demoVehicleTextures() holds.
inline constexpr const char* kDemoBodyTexture = "infernus_body";
inline constexpr const char* kDemoLightsTexture = "infernus_lights";
inline constexpr const char* kDemoWheelTexture = "infernus_wheel";

// A small car laid out as the game stores one: under the root, a chassis dummy holding the
// body ("chassis", front face lights, the rest paint), its far-away model "chassis_vlo", a
// bonnet dummy turned about x holding "bonnet_hi_ok" and "bonnet_hi_dam", and the four wheel
// dummies; only wheel_rf_dummy holds a frame, "wheel", with the one wheel geometry (its rim
// facing +x, the right side). Every part has stored normals.
std::vector<uint8_t> demoVehicle();
// Its texture dictionary (infernus.txd): body paint (DXT1, red with a white stripe), lights
// (8888, yellow discs on black) and wheel rim (8888, spokes).
std::vector<uint8_t> demoVehicleTextures();

}  // namespace testing_support
