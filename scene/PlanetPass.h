#pragma once
#include "scene/NightPlan.h"
#include "scene/PlanetMesh.h"
#include "scene/SceneTextures.h"

// The planet at scene time T: surface, night-side auroras, material and the dark halo.
// The caller has bound the surface (live or static) and placed the planet frame.
void drawPlanet(PlanetMesh& mesh, double T, bool nightSide, const SceneTextures& textures, const NightPlan& plan);

// The two additive night passes alone, in the planet frame, light 1 placed: in one pass
// where the plan has two units (the mesh then carries unit 1's coordinates), else in
// two; over the polar caps alone where it has a quiet band.
void drawNightSide(PlanetMesh& mesh, double T, unsigned nightTexture, const NightPlan& plan);

// The material of the planet and moons: specular and shininess (ambient and diffuse
// follow the current colour).
void setLitMaterial();
