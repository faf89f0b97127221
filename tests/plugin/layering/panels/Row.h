#pragma once
// Included by the hub's circle but outside it: not named.
