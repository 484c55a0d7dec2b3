#include "manifest.h"

namespace qv {

// The Verdant Vale: three heroes, nine units, eight buildings, their abilities and
// upgrades. Each entity's model and icons stand together; the AI scripts close the list.
#define QV_IMP "war3mapImported\\"
#define QV_BTN "ReplaceableTextures\\CommandButtons\\BTN"
#define QV_DISBTN "ReplaceableTextures\\CommandButtonsDisabled\\DISBTN"
#define QV_PASBTN "ReplaceableTextures\\PassiveButtons\\PASBTN"
#define QV_DISPASBTN "ReplaceableTextures\\CommandButtonsDisabled\\DISPASBTN"

const char* const g_szMapFiles[kMapFileCount] = {
    // The race itself.
    QV_IMP "BTNVerdantVale.blp",
    QV_IMP "infocard-verdant-heroes.blp",
    QV_IMP "infocard-verdant-units.blp",
    // Heroes, each with its abilities.
    QV_IMP "Thornwarden.mdx",
    "units\\verdant\\Thornwarden\\Thornwarden_portrait.mdx",
    QV_IMP "scorescreen-hero-thornwarden.blp",
    QV_BTN "Thornwarden.blp",
    QV_DISBTN "Thornwarden.blp",
    QV_BTN "Thornlash.blp",
    QV_DISBTN "Thornlash.blp",
    QV_BTN "Entangle.blp",
    QV_DISBTN "Entangle.blp",
    QV_BTN "BriarWall.blp",
    QV_DISBTN "BriarWall.blp",
    QV_PASBTN "BarkSkin.blp",
    QV_DISPASBTN "BarkSkin.blp",
    QV_IMP "Mossweaver.mdx",
    QV_IMP "scorescreen-hero-mossweaver.blp",
    QV_BTN "Mossweaver.blp",
    QV_DISBTN "Mossweaver.blp",
    QV_BTN "Regrowth.blp",
    QV_DISBTN "Regrowth.blp",
    QV_BTN "SporeCloud.blp",
    QV_DISBTN "SporeCloud.blp",
    QV_BTN "Overgrowth.blp",
    QV_DISBTN "Overgrowth.blp",
    QV_PASBTN "VerdantAura.blp",
    QV_DISPASBTN "VerdantAura.blp",
    QV_IMP "Stormcaller.mdx",
    QV_IMP "Orb.mdx",
    QV_IMP "scorescreen-hero-stormcaller.blp",
    QV_BTN "Stormcaller.blp",
    QV_DISBTN "Stormcaller.blp",
    QV_BTN "ChainStorm.blp",
    QV_DISBTN "ChainStorm.blp",
    QV_BTN "GaleForce.blp",
    QV_DISBTN "GaleForce.blp",
    QV_BTN "Tempest.blp",
    QV_DISBTN "Tempest.blp",
    QV_PASBTN "StaticField.blp",
    QV_DISPASBTN "StaticField.blp",
    // Units, with their abilities and passives.
    QV_IMP "Sapling.mdx",
    QV_BTN "Sapling.blp",
    QV_DISBTN "Sapling.blp",
    QV_BTN "Harvest.blp",
    QV_DISBTN "Harvest.blp",
    QV_IMP "Thornguard.mdx",
    QV_BTN "Thornguard.blp",
    QV_DISBTN "Thornguard.blp",
    QV_PASBTN "ThornCarapace.blp",
    QV_DISPASBTN "ThornCarapace.blp",
    QV_IMP "BriarArcher.mdx",
    QV_BTN "BriarArcher.blp",
    QV_DISBTN "BriarArcher.blp",
    QV_IMP "SporeLobber.mdx",
    QV_IMP "SporeMissile.mdx",
    QV_BTN "SporeLobber.blp",
    QV_DISBTN "SporeLobber.blp",
    QV_BTN "SporeBurst.blp",
    QV_DISBTN "SporeBurst.blp",
    QV_PASBTN "SporeResistance1.blp",
    QV_DISPASBTN "SporeResistance1.blp",
    QV_IMP "BrambleBeast.mdx",
    QV_BTN "BrambleBeast.blp",
    QV_DISBTN "BrambleBeast.blp",
    QV_BTN "Devour.blp",
    QV_DISBTN "Devour.blp",
    QV_IMP "MossGolem.mdx",
    QV_BTN "MossGolem.blp",
    QV_DISBTN "MossGolem.blp",
    QV_PASBTN "Regeneration.blp",
    QV_DISPASBTN "Regeneration.blp",
    QV_IMP "VineDrake.mdx",
    QV_BTN "VineDrake.blp",
    QV_DISBTN "VineDrake.blp",
    QV_IMP "WispRider.mdx",
    QV_BTN "WispRider.blp",
    QV_DISBTN "WispRider.blp",
    QV_IMP "Dryadling.mdx",
    QV_BTN "Dryadling.blp",
    QV_DISBTN "Dryadling.blp",
    QV_PASBTN "DeepRoots.blp",
    // Buildings.
    QV_IMP "GroveHeart.mdx",
    QV_BTN "GroveHeart.blp",
    QV_DISBTN "GroveHeart.blp",
    QV_BTN "Uproot.blp",
    QV_DISBTN "Uproot.blp",
    QV_BTN "Reforest.blp",
    QV_DISBTN "Reforest.blp",
    QV_IMP "RootBurrow.mdx",
    QV_BTN "RootBurrow.blp",
    QV_DISBTN "RootBurrow.blp",
    QV_IMP "ThornSpire.mdx",
    QV_BTN "ThornSpire.blp",
    QV_DISBTN "ThornSpire.blp",
    QV_BTN "SporeVat.blp",
    QV_DISBTN "SporeVat.blp",
    QV_BTN "BriarHall.blp",
    QV_DISBTN "BriarHall.blp",
    QV_BTN "MossAltar.blp",
    QV_DISBTN "MossAltar.blp",
    QV_BTN "VerdantWell.blp",
    QV_DISBTN "VerdantWell.blp",
    QV_BTN "TangleWall.blp",
    QV_DISBTN "TangleWall.blp",
    // Upgrades; the two with a second level have a disabled icon for it as well.
    QV_BTN "ThornArrows.blp",
    QV_DISBTN "ThornArrows.blp",
    QV_DISBTN "ThornArrows2.blp",
    QV_BTN "HardenedBark.blp",
    QV_DISBTN "HardenedBark.blp",
    QV_DISBTN "HardenedBark2.blp",
    QV_BTN "SporeVolume.blp",
    QV_DISBTN "SporeVolume.blp",
    QV_BTN "LivingWood.blp",
    QV_DISBTN "LivingWood.blp",
    QV_BTN "WindFlight.blp",
    QV_DISBTN "WindFlight.blp",
    // The computer player's scripts: editor file, then the script itself.
    QV_IMP "VerdantVale.wai",
    QV_IMP "VerdantVale.ai",
    QV_IMP "VerdantValeRush.wai",
    QV_IMP "VerdantValeRush.ai",
    QV_IMP "VerdantValeTurtle.wai",
    QV_IMP "VerdantValeTurtle.ai",
};

#undef QV_IMP
#undef QV_BTN
#undef QV_DISBTN
#undef QV_PASBTN
#undef QV_DISPASBTN

const char* const szNeededFiles[kNeededFileCount] = {
    "war3map.doo", "war3map.shd", "war3mapUnits.doo", "war3map.mmp", "war3map.w3c",
    "war3map.w3e", "war3map.w3r", "war3map.w3i",      "war3map.wpm", "war3mapMap.blp",
    "war3map.wts", "war3map.j",   "war3map.wtg",
};

const char* const szResources[kResourceCount] = {
    "war3map.wtg", "war3map.wct", "war3map.j",   "war3map.w3u",     "war3map.w3t", "war3map.w3a",
    "war3map.w3h", "war3map.w3q", "war3map.imp", "war3mapMisc.txt", "war3map.w3s", "war3mapPreview.tga",
};

} // namespace qv
