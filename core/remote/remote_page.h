#pragma once
// The web remote's page: one document with its style and script inside, so
// a phone needs nothing but this program to use it.
const char* RemotePage();
