#include "app/station_start.h"

int main(int argc, char** argv) {
  return torvane::StartStation(argc, argv);
}
