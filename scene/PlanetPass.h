#pragma once
#include "scene/NightUnits.h"
#include "scene/PlanetMesh.h"
#include "scene/SceneTextures.h"

// The planet at scene time T: surface, night-side auroras, material and the dark halo.
// The caller has bound the surface (live or static) and placed the planet frame.
void drawPlanet(PlanetMesh& mesh, double T, bool nightSide, const SceneTextures& textures, const NightUnits& units);

// The two additive night passes alone, in the planet frame, light 1 placed: in one pass
// when units are ready (the mesh then carries unit 1's coordinates), else in two.
void drawNightSide(PlanetMesh& mesh, double T, unsigned nightTexture, const NightUnits& units);

// The material of the planet and moons: specular and shininess (ambient and diffuse
// follow the current colour).
void setLitMaterial();
