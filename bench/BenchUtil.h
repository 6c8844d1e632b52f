#pragma once
double NowSeconds();
