#pragma once

// Tells the learner list how to open the report selection and the learner
// profile's options; its report buttons work from then on.
void registerReportScreens();
