#pragma once

namespace tovrin::image {

// The Yes/No questions a download may ask, so that a front end can answer
// by kind rather than by comparing texts.
enum class Question {
    OpenShortWarning,  // the open/short pin test is off
    FtProgramConfirm,  // program and function test together
    OverwriteSource,   // write the changed image back as the project file
};

}  // namespace tovrin::image
