#pragma once

// Texture names made at scene start; 0 where a picture did not load (drawn untextured).
struct SceneTextures {
    unsigned flare[11] = {};  // flare[1] .. flare[10]; flare[0] unused
    unsigned moon[4] = {};
    unsigned rings = 0;  // the mask as alpha
    unsigned surface = 0;
    unsigned night = 0;
    unsigned starGlow = 0;
};
