#include "scene/LayerTable.h"

// The inner oval is the outer one's core: it travels with row 10's speed and phase.
const LayerDescriptor layerTable[layerCount] = {
    {LayerKind::Base, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.3525, 0.25, 0.75, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.3716, 0.25, 1.25, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.1225, 0.25, 1.2, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.7178, 0.125, 1.2, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.0454, 0.125, 1.0, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.7925, 0.125, 1.0, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.0, 0.125, 0.75, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.875, 0.125, 0.75, 0.0, 1.0, 0.0},
    {LayerKind::Band, 0.4883, 0.25, 0.9, 0.0, 1.0, 0.0},
    {LayerKind::Oval, 0.6255, 0.105, 0.9, 0.4415, 0.0918, 2.0},
    {LayerKind::Oval, 0.6257, 0.0635, 0.9, 0.4415, 0.05615, 4.0},
};
