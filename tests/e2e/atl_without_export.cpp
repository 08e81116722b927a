// Stands in for an "atl.dll" that lacks AtlAxAttachControl: a library that
// loads (with the runtime's own entry point) and exports nothing the player
// looks for.
