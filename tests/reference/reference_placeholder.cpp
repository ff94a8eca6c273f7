// The straightforward reference implementations live in this folder.
namespace kombinator::reference {}
