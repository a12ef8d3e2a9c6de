-- wrk script: posts the bodies of bodies.txt (make_bodies.py) in turn to
-- the level-1 address, as the program's result page does.
local bodies = {}
for line in io.lines("bodies.txt") do bodies[#bodies + 1] = line end
local next_body = 0

request = function()
  next_body = next_body % #bodies + 1
  return wrk.format("POST", "/?Quellish.Dial/1",
                    {["Content-Type"] = "application/x-www-form-urlencoded"}, bodies[next_body])
end

response = function(status)
  if status ~= 200 then error("status " .. status) end
end
