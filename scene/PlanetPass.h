#pragma once
#include "scene/PlanetMesh.h"
#include "scene/SceneTextures.h"

// The planet at scene time T: surface, night-side auroras, material and the dark halo.
// The caller has bound the surface (live or static) and placed the planet frame.
void drawPlanet(PlanetMesh& mesh, double T, bool nightSide, const SceneTextures& textures);

// The two additive night passes alone, in the planet frame, light 1 placed.
void drawNightSide(PlanetMesh& mesh, double T, unsigned nightTexture);

// The material of the planet and moons: specular and shininess (ambient and diffuse
// follow the current colour).
void setLitMaterial();
