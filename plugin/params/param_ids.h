// Parameter indices. Each parameter's id equals its index; index 0 is the input layer, which the
// host supplies by itself.
#pragma once

enum ParamIndex {
  kParamInputLayer = 0,
  kParamTime = 1,
  kParamMissingTile = 2,
  kParamMissingTileLayer = 3,
  kParamPosition = 4,
  kParamFit = 5,
  kParamRow = 6,
  kParamColumn = 7,
  kParamReturn = 8,
  kParamSeed = 9,
  kParamCount = 10  // the input layer and the nine declared parameters
};

// Choices of "Position", numbered from 1.
enum PositionChoice { kPositionInFront = 1, kPositionBehind = 2 };
